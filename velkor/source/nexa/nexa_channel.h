#pragma once

// The channel as the host and the library's services hold it: every posted call is
// carried to the channel thread, sessionIds are handed out by name, listeners are
// registered directly.

#include <map>
#include <mutex>
#include <string>

#include "nexa/channel_settings.h"
#include "nexa/nexa_channel_impl.h"
#include "nexalib/nexa_channel.h"

namespace nexalib {

class CNexaChannel final : public INexaChannel {
 public:
  explicit CNexaChannel(ChannelSettings settings);
  // The process-wide facade lives until the process ends; tests destroy their own.
  ~CNexaChannel() = default;
  CNexaChannel(const CNexaChannel&) = delete;
  CNexaChannel& operator=(const CNexaChannel&) = delete;

  void Start(const NetProxy& proxy, const zeph::ZephStringT<wchar_t>& allotUrl,
             const zeph::ZephStringT<wchar_t>& dataDir,
             const zeph::ZephStringT<wchar_t>& defaultServer) override;
  void Stop() override;
  void GetSessionId(std::string name, int* sessionId) override;
  void AddListener(INexaListener* listener, int sessionId) override;
  void RemoveListener(int sessionId) override;
  void CreateVConn(int sessionId, const std::string& clusterName, const std::string& routeName,
                   const std::string& allotKey) override;
  void DestroyVConn(int sessionId) override;
  void AsynSend(int sessionId, const std::string& _interface, const std::string& _method,
                const std::string& data, SendCallback callback, int timeoutSeconds) override;
  void NotifySend(int sessionId, const std::string& _interface, const std::string& _method,
                  const std::string& data) override;

  // For tests, which wait on the channel thread and read its state.
  CNexaChannelImpl& impl() { return impl_; }

 private:
  template <typename Task>
  void Post(Task task);

  CNexaChannelImpl impl_;
  std::mutex lock_;
  std::map<std::string, int32_t> session_ids_;  // Guarded by lock_
  int32_t next_session_id_ = 1;                 // Guarded by lock_
};

// Milliseconds for a time limit given in seconds; 0 for none. Clamped, so that a huge
// limit stays huge instead of overflowing.
int TimeoutMilliseconds(int timeoutSeconds);

}  // namespace nexalib
