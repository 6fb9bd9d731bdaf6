#include "signin_session.h"

#include <utility>

#include "base/component_registry.h"
#include "base/strings.h"
#include "record_printer.h"
#include "uauth/sso_service.h"

namespace signin {
namespace {

constexpr int kSecondFactorTries = 3;

}  // namespace

SigninSession::SigninSession(const Options& options, uauth::IUnifiedAuthService& auth,
                             std::istream& in, std::ostream& out, std::function<void()> done)
    : options_(options), auth_(auth), in_(in), out_(out), done_(std::move(done)) {}

void SigninSession::Start() {
  Subscribe();
  auth_.Initialize(options_.keepConnection, options_.keepForToken);
  auth_.DoAuth(options_.uid, options_.password, uauth::LoginType{options_.tokenType}, L"");
}

template <typename P, typename Handler>
void SigninSession::On(uauth::SubscriberList<P>& list, Handler handler) {
  list.Add(base::Callback<void(P)>([this, handler](P record) {
    if (!finished_) handler(record);
  }));
}

void SigninSession::Subscribe() {
  On(auth_.authOk, [this](const uauth::ModelAuthOkParam& ok) {
    out_ << Describe(ok) << std::endl;
    loggedIn_ = true;
    if (options_.bizToken.empty()) return Finish();
    auth_.GetVendomoToken(L"", options_.bizToken);
  });
  On(auth_.needCheckCode, [this](const uauth::ModelNeedCheckCodeParam& need) {
    out_ << Describe(need) << std::endl;
    const std::wstring code = Prompt("check code");
    if (code.empty()) return Finish();
    auth_.DoAuth(options_.uid, options_.password, uauth::LoginType{options_.tokenType}, code);
  });
  On(auth_.need2ndAuth, [this](const uauth::ModelNeed2ndAuthParam& need) {
    out_ << Describe(need) << std::endl;
    auth_.DoSecurityMethod();
  });
  On(auth_.securityProduct, [this](const uauth::ModelSecurityProductParam& product) {
    out_ << Describe(product) << std::endl;
    if (product.phone) return auth_.DoSecuritySendCode();
    if (product.cert) return AnswerSecondFactor(uauth::SECURITY_LOGIN_CERT, "certificate code");
    Finish();
  });
  On(auth_.securityGenCode, [this](const uauth::ModelSecurityGenCodeParam& sent) {
    out_ << Describe(sent) << std::endl;
    AnswerSecondFactor(uauth::SECURITY_LOGIN_CODE, "verification code");
  });
  On(auth_.codeVerifyFail, [this](const uauth::ModelCodeVerifyFailParam& fail) {
    out_ << Describe("ModelCodeVerifyFailParam", fail) << std::endl;
    AnswerSecondFactor(uauth::SECURITY_LOGIN_CODE, "verification code");
  });
  On(auth_.certVerifyFail, [this](const uauth::ModelCertVerifyFailParam& fail) {
    out_ << Describe("ModelCertVerifyFailParam", fail) << std::endl;
    AnswerSecondFactor(uauth::SECURITY_LOGIN_CERT, "certificate code");
  });
  On(auth_.vendomoToken, [this](const uauth::ModelVendomoTokenParam& token) {
    out_ << Describe(token) << std::endl;
    // From inside the record's callback: the URL is already signed with the new key.
    PrintSignOnUrl();
    Finish();
  });
  On(auth_.sendCodeFail, [this](const uauth::ModelSendCodeFailParam& fail) {
    out_ << Describe("ModelSendCodeFailParam", fail) << std::endl;
    Finish();
  });
  On(auth_.vendomoTokenFail, [this](const uauth::ModelVenDomoTokenFailParam& fail) {
    out_ << Describe("ModelVenDomoTokenFailParam", fail) << std::endl;
    Finish();
  });
  On(auth_.authFail, [this](const uauth::ModelAuthFailParam& fail) {
    out_ << Describe("ModelAuthFailParam", fail) << std::endl;
    Finish();
  });
  On(auth_.netDisconnect, [this](const uauth::ModelNetDisConnectParam& lost) {
    out_ << Describe(lost) << std::endl;
    Finish();
  });
}

std::wstring SigninSession::Prompt(const char* question) {
  out_ << question << ": " << std::flush;
  std::string line;
  std::getline(in_, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  // Echoed, so that a scripted answer shows in the transcript.
  out_ << line << std::endl;
  return base::UTF8ToWide(line);
}

void SigninSession::AnswerSecondFactor(uauth::SecurityLoginType type, const char* question) {
  if (++secondFactorTries_ > kSecondFactorTries) return Finish();
  const std::wstring code = Prompt(question);
  if (code.empty()) return Finish();
  auth_.DoSecurityAuth(code, options_.umid, type);
}

void SigninSession::PrintSignOnUrl() {
  // The shared instance of the registry holds the credentials of the exchange; one
  // made through the factory would start empty.
  zeph::IZephCOM* registry = nullptr;
  base::GetZephCOM(&registry);
  if (!registry) return;
  void* out = nullptr;
  if (registry->CreateInstance(uauth::kSSOServiceClassId, "", uauth::kSSOServiceInterfaceId, &out, "", "") >= 0 &&
      out) {
    auto* signOn = static_cast<uauth::ISSOService*>(out);
    std::wstring url;
    signOn->SignIn(options_.ssoTarget, &url);
    out_ << "[SignOnUrl] " << base::WideToUTF8(url) << std::endl;
    signOn->Release();
  }
  registry->Release();
}

void SigninSession::Finish() {
  if (finished_) return;
  finished_ = true;
  done_();
}

}  // namespace signin
