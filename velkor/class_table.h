// The library's creatable classes.
#ifndef VELKOR_CLASS_TABLE_H_
#define VELKOR_CLASS_TABLE_H_

#include "zeph/zeph_com.h"

namespace velkor {

// Registers every class in `factory` in the fixed order SDKService, SSOService,
// IMTimeService, UnifiedAuthService, and makes the factory the provider of the
// process-wide component registry. Runs while the library loads; tests call it
// directly. Registering again replaces the entries.
void RegisterClasses(zeph::IZephCOMFactory* factory);

}  // namespace velkor

#endif  // VELKOR_CLASS_TABLE_H_
