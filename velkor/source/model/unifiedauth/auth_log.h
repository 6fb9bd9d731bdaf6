// Log lines of the authentication service: "CUnifiedAuthService <qualified
// name>, <number>, <detail>", each call site with its fixed number.
//
//   AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::DoNothing", 315, L"currState = %d.", GetState());
//
// Never log a password, token, check code or key: log its length.
#ifndef VELKOR_SOURCE_MODEL_UNIFIEDAUTH_AUTH_LOG_H_
#define VELKOR_SOURCE_MODEL_UNIFIEDAUTH_AUTH_LOG_H_

#include "log_shell.h"

#define AUTH_LOG(severity, qualifiedName, number, detail, ...) \
  LogCall(kLogTagAuth, severity, qualifiedName, number, detail __VA_OPT__(, ) __VA_ARGS__)

#endif  // VELKOR_SOURCE_MODEL_UNIFIEDAUTH_AUTH_LOG_H_
