// Load-time set-up of the shared library: the folder it was loaded from and
// the class table are in place before the host's first call.
#include "base/path_service.h"
#include "class_table.h"
#include "nexalib/nexa_channel.h"

namespace {

struct LoadTimeSetUp {
  LoadTimeSetUp() {
    base::PathService::Override(
        base::DIR_MODULE,
        base::ModuleDirectoryOf(reinterpret_cast<const void*>(&GetZephCOMFactory)));
    velkor::RegisterClasses(GetZephCOMFactory());
  }
};

LoadTimeSetUp g_load_time_set_up;

}  // namespace

namespace velkor {

// The shared library takes only the referenced objects of its areas; this keeps the
// channel's export.
nexalib::INexaChannel* (*g_channel_export)() = &uauth::GetNexaChannelInstance;

}  // namespace velkor
