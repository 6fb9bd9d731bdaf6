#pragma once

// One sign-in as a host drives it: subscribes to all twelve records, logs in,
// answers check-code and second-factor prompts from standard input, optionally
// exchanges a business token and prints a signed sign-on URL. Runs on the UI
// thread; the records arrive there too.

#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "signin_options.h"
#include "uauth/unified_auth_service.h"

namespace signin {

class SigninSession {
 public:
  // `done` runs once, after the last record this session waits for.
  SigninSession(const Options& options, uauth::IUnifiedAuthService& auth, std::istream& in,
                std::ostream& out, std::function<void()> done);
  SigninSession(const SigninSession&) = delete;
  SigninSession& operator=(const SigninSession&) = delete;

  void Start();
  // True once ModelAuthOkParam arrived.
  bool loggedIn() const { return loggedIn_; }

 private:
  void Subscribe();
  template <typename P, typename Handler>
  void On(uauth::SubscriberList<P>& list, Handler handler);

  std::wstring Prompt(const char* question);
  void AnswerSecondFactor(uauth::SecurityLoginType type, const char* question);
  void PrintSignOnUrl();
  void Finish();

  const Options options_;
  uauth::IUnifiedAuthService& auth_;
  std::istream& in_;
  std::ostream& out_;
  std::function<void()> done_;
  bool loggedIn_ = false;
  bool finished_ = false;
  int secondFactorTries_ = 0;
};

}  // namespace signin
