// The message channel: one encrypted connection to the gateway, shared by
// virtual connections that each have a sessionId and a listener.
//
//   nexalib::INexaChannel* channel = uauth::GetNexaChannelInstance();
//   int sessionId = 0;
//   channel->GetSessionId("login", &sessionId);
//   channel->AddListener(&listener, sessionId);
//   channel->Start(proxy, allotUrl, dataDir, defaultServer);
//   // listener.OnConnectStatus(CS_CONNECTED): channel->CreateVConn(sessionId, ...);
//   // listener.OnVConnectStatus(CS_CONNECTED): channel->AsynSend(sessionId, ...);
//   channel->DestroyVConn(sessionId);
//   channel->RemoveListener(sessionId);
//   channel->Stop();
#ifndef VELKOR_INCLUDE_NEXALIB_NEXA_CHANNEL_H_
#define VELKOR_INCLUDE_NEXALIB_NEXA_CHANNEL_H_

#include <string>

#include "nexalib/net_proxy.h"
#include "nexalib/nexa_listener.h"
#include "nexalib/req_info.h"
#include "zeph/zeph_com.h"

namespace nexalib {

// Not reference-counted and never freed. Calls marked "posted" return at once and
// run on the channel thread in the order they were made; their results arrive
// through listeners and callbacks, also on the channel thread.
class INexaChannel {
 public:
  // Posted. Connects (again): fetches gateway addresses from `allotUrl`, falls
  // back to `defaultServer` ("host:port") and the servers saved in `dataDir`.
  // While connected it only reports CS_CONNECTED to every listener again; after
  // a lost link it reconnects to the same server.
  virtual void Start(const NetProxy& proxy, const zeph::ZephStringT<wchar_t>& allotUrl,
                     const zeph::ZephStringT<wchar_t>& dataDir,
                     const zeph::ZephStringT<wchar_t>& defaultServer) = 0;
  // Posted. Closes the link without telling the listeners.
  virtual void Stop() = 0;
  // The sessionId for `name`, handed out once per name and never reused.
  virtual void GetSessionId(std::string name, int* sessionId) = 0;
  // Safe from any thread. The listener is not owned; a second one for the same
  // id replaces the first.
  virtual void AddListener(INexaListener* listener, int sessionId) = 0;
  // Safe from any thread. Once it returns, the listener is not called again and
  // may be destroyed (called from inside one of its own calls, the call in
  // progress still finishes).
  virtual void RemoveListener(int sessionId) = 0;
  // Posted. Opens the virtual connection on the server; the result arrives in
  // the listener's OnVConnectStatus.
  virtual void CreateVConn(int sessionId, const std::string& clusterName,
                           const std::string& routeName, const std::string& allotKey) = 0;
  // Posted. Closes the virtual connection on the server while the link is up.
  virtual void DestroyVConn(int sessionId) = 0;
  // Posted. A request; `callback` runs once with the response or, when
  // `timeoutSeconds` is positive, with SEND_TIMEOUT after that many seconds.
  // 0 or less waits for the response without limit.
  virtual void AsynSend(int sessionId, const std::string& _interface, const std::string& _method,
                        const std::string& data, SendCallback callback, int timeoutSeconds) = 0;
  // Posted. A one-way message.
  virtual void NotifySend(int sessionId, const std::string& _interface,
                          const std::string& _method, const std::string& data) = 0;

 protected:
  ~INexaChannel() = default;
};

}  // namespace nexalib

#if !defined(VELKOR_IMPLEMENTATION)
#define NEXALIB_EXPORT
#elif defined(_WIN32)
#define NEXALIB_EXPORT __declspec(dllexport)
#else
#define NEXALIB_EXPORT __attribute__((visibility("default")))
#endif

namespace uauth {

// The process-wide channel, created by the first call; exported under its C++
// name. Never delete it.
NEXALIB_EXPORT nexalib::INexaChannel* GetNexaChannelInstance();

}  // namespace uauth

#endif  // VELKOR_INCLUDE_NEXALIB_NEXA_CHANNEL_H_
