#include "auth_dependencies.h"

#include <mutex>

namespace uauth {
namespace {

std::mutex g_lock;
AuthDependencies g_dependencies;  // Guarded by g_lock

}  // namespace

void SetAuthDependenciesForTesting(const AuthDependencies& dependencies) {
  std::lock_guard guard(g_lock);
  g_dependencies = dependencies;
}

AuthDependencies CurrentAuthDependencies() {
  AuthDependencies dependencies;
  {
    std::lock_guard guard(g_lock);
    dependencies = g_dependencies;
  }
  if (!dependencies.channel) dependencies.channel = GetNexaChannelInstance();
  return dependencies;
}

}  // namespace uauth
