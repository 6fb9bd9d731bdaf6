#pragma once

// Enables "SeDebugPrivilege" in this process's token, so that the running check
// can read the image paths of other users' processes. True when all steps worked.
[[nodiscard]] bool EnableDebugPrivilege();
