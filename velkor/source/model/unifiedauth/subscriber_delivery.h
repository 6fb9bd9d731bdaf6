// Hands one record to every subscriber of a list, on the thread that delivers
// (the host's user-interface thread).
#ifndef VELKOR_SOURCE_MODEL_UNIFIEDAUTH_SUBSCRIBER_DELIVERY_H_
#define VELKOR_SOURCE_MODEL_UNIFIEDAUTH_SUBSCRIBER_DELIVERY_H_

#include "base/callback.h"
#include "base/message_loop.h"
#include "uauth/subscriber_list.h"

namespace uauth {

// The entries are copied under the list's lock and called without it, so a
// subscriber may change any list, itself included; the change counts from the
// next record on. Target 0 runs here, any other target is an event loop the
// call is posted to. An entry without a callback is passed over.
template <typename P>
void DeliverToSubscribers(SubscriberList<P>& list, const P& record) {
  for (const SubscriberEntry<P>& entry : list.Snapshot()) {
    if (entry.callback.is_null()) continue;
    if (entry.target == 0) {
      entry.callback.Run(record);
    } else {
      base::EventPostTask(entry.target,
                          base::Closure([callback = entry.callback, record] { callback.Run(record); }));
    }
  }
}

}  // namespace uauth

#endif  // VELKOR_SOURCE_MODEL_UNIFIEDAUTH_SUBSCRIBER_DELIVERY_H_
