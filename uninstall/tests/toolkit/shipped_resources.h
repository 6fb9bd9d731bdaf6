// The resources of uninstall.rc, read from their files, for native tests.
#pragma once

#include <string>

#include "toolkit/module_resource.h"

// Serves every resource that uninstall.rc lists, by number, from uninstall/res.
ResourceReader ShippedResources();

// A reader that serves `bytes` as every XML resource.
ResourceReader XmlBytes(std::string bytes);
