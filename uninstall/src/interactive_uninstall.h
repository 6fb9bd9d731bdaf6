#pragma once

// The uninstall with the confirmation and progress dialog. Returns at once when the
// application still runs and the user gave up; deletes this program only when the
// dialog ended on its finish page.
void RunInteractiveUninstall();
