#pragma once

// Each record the host receives as one readable line. Secrets (the login token
// and the signing key) are shown by their length only.

#include <string>

#include "uauth/auth_records.h"

namespace signin {

std::string Describe(const uauth::ModelAuthOkParam& record);
std::string Describe(const uauth::ModelNeedCheckCodeParam& record);
std::string Describe(const uauth::ModelNeed2ndAuthParam& record);
std::string Describe(const uauth::ModelSecurityProductParam& record);
std::string Describe(const uauth::ModelSecurityGenCodeParam& record);
std::string Describe(const uauth::ModelVendomoTokenParam& record);
std::string Describe(const uauth::ModelNetDisConnectParam& record);
// The five failure records: `name` is the record's.
std::string Describe(const char* name, const uauth::ModelFailParam& record);

}  // namespace signin
