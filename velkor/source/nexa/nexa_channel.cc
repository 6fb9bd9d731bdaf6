#include "nexa/nexa_channel.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace nexalib {

int TimeoutMilliseconds(int timeoutSeconds) {
  if (timeoutSeconds <= 0) return 0;
  constexpr int64_t kMax = std::numeric_limits<int>::max();
  return static_cast<int>(std::min<int64_t>(int64_t{timeoutSeconds} * 1000, kMax));
}

CNexaChannel::CNexaChannel(ChannelSettings settings) : impl_(std::move(settings)) {}

template <typename Task>
void CNexaChannel::Post(Task task) {
  impl_.message_loop()->PostTask(FROM_HERE, std::move(task));
}

void CNexaChannel::Start(const NetProxy& proxy, const zeph::ZephStringT<wchar_t>& allotUrl,
                         const zeph::ZephStringT<wchar_t>& dataDir,
                         const zeph::ZephStringT<wchar_t>& defaultServer) {
  Post([this, proxy, allotUrl, dataDir, defaultServer] {
    impl_.Start(proxy, allotUrl, dataDir, defaultServer);
  });
}

void CNexaChannel::Stop() {
  Post([this] { impl_.Stop(); });
}

void CNexaChannel::GetSessionId(std::string name, int* sessionId) {
  if (sessionId == nullptr) return;
  std::lock_guard lock(lock_);
  const auto [entry, added] = session_ids_.try_emplace(std::move(name), next_session_id_);
  if (added) ++next_session_id_;
  *sessionId = entry->second;
}

void CNexaChannel::AddListener(INexaListener* listener, int sessionId) {
  impl_.AddListener(listener, sessionId);
}

void CNexaChannel::RemoveListener(int sessionId) { impl_.RemoveListener(sessionId); }

void CNexaChannel::CreateVConn(int sessionId, const std::string& clusterName,
                               const std::string& routeName, const std::string& allotKey) {
  Post([this, sessionId, clusterName, routeName, allotKey] {
    impl_.CreateVConn(sessionId, clusterName, routeName, allotKey);
  });
}

void CNexaChannel::DestroyVConn(int sessionId) {
  Post([this, sessionId] { impl_.DestroyVConn(sessionId); });
}

void CNexaChannel::AsynSend(int sessionId, const std::string& _interface,
                            const std::string& _method, const std::string& data,
                            SendCallback callback, int timeoutSeconds) {
  Post([this, sessionId, _interface, _method, data, callback = std::move(callback),
        timeoutMs = TimeoutMilliseconds(timeoutSeconds)] {
    impl_.AsynSend(sessionId, _interface, _method, data, callback, timeoutMs);
  });
}

void CNexaChannel::NotifySend(int sessionId, const std::string& _interface,
                              const std::string& _method, const std::string& data) {
  Post([this, sessionId, _interface, _method, data] {
    impl_.NotifySend(sessionId, _interface, _method, data);
  });
}

}  // namespace nexalib
