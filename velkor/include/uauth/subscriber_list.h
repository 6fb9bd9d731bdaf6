// The lists through which the host receives the authentication service's
// records. Their layout (lock, counter, entries) is part of the binary interface:
// the host's own code, compiled from this header, adds and removes entries.
//
//   int32_t id = auth->authOk.Add(base::Callback<void(uauth::ModelAuthOkParam)>(
//       [](uauth::ModelAuthOkParam ok) { ShowWelcome(ok.userId); }));
//   ...
//   auth->authOk.Remove(id);
#ifndef VELKOR_INCLUDE_UAUTH_SUBSCRIBER_LIST_H_
#define VELKOR_INCLUDE_UAUTH_SUBSCRIBER_LIST_H_

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/callback.h"
#include "base/lock.h"

namespace uauth {

template <typename P>
struct SubscriberEntry {
  int32_t id = 0;  // the host's
  base::Callback<void(P)> callback;
  // 0: run on the thread that delivers (the host's user-interface thread);
  // otherwise the id of an event loop, to which the call is posted.
  int32_t target = 0;
};

template <typename P>
class SubscriberList {
 public:
  SubscriberList() = default;
  SubscriberList(const SubscriberList&) = delete;
  SubscriberList& operator=(const SubscriberList&) = delete;

  // Adds a subscriber at the end and returns its id, a number taken from the
  // counter. Safe from any thread and from inside a delivery.
  int32_t Add(base::Callback<void(P)> callback, int32_t target = 0) {
    base::AutoLock guard(lock);
    const int32_t id = ++counter;
    entries.push_back(SubscriberEntry<P>{id, std::move(callback), target});
    return id;
  }

  // Removes the subscriber with this id; false when there is none. A delivery
  // already under way still reaches it.
  bool Remove(int32_t id) {
    base::AutoLock guard(lock);
    auto found = std::find_if(entries.begin(), entries.end(),
                              [id](const SubscriberEntry<P>& entry) { return entry.id == id; });
    if (found == entries.end()) return false;
    entries.erase(found);
    return true;
  }

  // A copy of the entries, taken under the lock.
  std::vector<SubscriberEntry<P>> Snapshot() {
    base::AutoLock guard(lock);
    return entries;
  }

  // The members, in this order, are the list's fixed layout.
  base::internal::LockImpl lock;  // guards entries
  int32_t counter = 0;            // ids handed out by Add; the service never reads it
  std::vector<SubscriberEntry<P>> entries;
};

}  // namespace uauth

#endif  // VELKOR_INCLUDE_UAUTH_SUBSCRIBER_LIST_H_
