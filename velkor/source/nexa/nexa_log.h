#pragma once

// Log lines of the channel: "CNexaServiceImpl <qualified name>, <line>, <detail>", where
// the source line identifies the call site.
//
//   NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::Start", L" curState = %d", GetState());

#include "log_shell.h"

#define NEXA_LOG(severity, qualifiedName, detail, ...) \
  LogCall(kLogTagNexa, severity, qualifiedName, __LINE__, detail __VA_OPT__(, ) __VA_ARGS__)
