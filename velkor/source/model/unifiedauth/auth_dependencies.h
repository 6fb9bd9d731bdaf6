// What an authentication service works with: the channel and the time limit of
// its logon requests. Production uses the process-wide channel and 10 seconds;
// tests give services a channel with short time limits of its own, or a shorter
// request limit, so that a silent gateway costs them a second, not ten.
#ifndef VELKOR_SOURCE_MODEL_UNIFIEDAUTH_AUTH_DEPENDENCIES_H_
#define VELKOR_SOURCE_MODEL_UNIFIEDAUTH_AUTH_DEPENDENCIES_H_

#include "nexalib/nexa_channel.h"

namespace uauth {

struct AuthDependencies {
  nexalib::INexaChannel* channel = nullptr;  // null: the process-wide channel
  int requestTimeoutSeconds = 10;
};

// Services created from now on use `dependencies`; the default value restores
// production. The channel must live as long as those services.
void SetAuthDependenciesForTesting(const AuthDependencies& dependencies);

// The dependencies for a new service, with the channel resolved.
AuthDependencies CurrentAuthDependencies();

}  // namespace uauth

#endif  // VELKOR_SOURCE_MODEL_UNIFIEDAUTH_AUTH_DEPENDENCIES_H_
