#pragma once

// One TCP connection driven by the library's network thread.
//
// All connections share one network thread; every callback runs on it. Close() may be
// called from any thread, also twice and from inside a callback; once it has returned no
// callback of the closed connection runs any more, so the callback object may be destroyed
// right after Close(). A connection can be connected again after Close(). Because Close()
// waits for a callback in progress, a callback must not wait for a thread that may be
// closing its connection (posting work elsewhere, as the channel does, is fine).

#include <cstdint>

namespace net {

enum ResCode : std::int32_t {
  RES_PENDING = 0,         // started; the outcome follows through OnConnect
  RES_OK = 1,              // done / success
  RES_ERROR = 2,           // unspecified failure
  RES_BAD_ARGUMENT = 3,    // empty host, port out of range, null data
  RES_REFUSED = 4,         // the peer (or the proxy's target) refused the connection
  RES_TIMEOUT = 5,         // the connect time limit passed
  RES_RESET = 6,           // the peer reset the connection
  RES_PROXY_FAILED = 7,    // the proxy refused, failed to authenticate or spoke nonsense
  RES_RESOLVE_FAILED = 8,  // the host name did not resolve
  RES_NOT_CONNECTED = 9,   // Send without an established connection
};

class INetConnectCallback {
 public:
  // RES_OK when the connection is up, an error code otherwise.
  virtual void OnConnect(ResCode result) = 0;
  // Received bytes; returns how many were taken. Bytes not taken are offered again, in
  // front of the next received ones.
  virtual int OnRecv(const char* data, int length) = 0;
  // The connection broke (reset, read or write failure); it is closed afterwards.
  virtual void OnError(ResCode result) = 0;
  // Every queued byte has been written.
  virtual void OnSend() = 0;
  // The peer closed the connection in an orderly way.
  virtual void OnClose() = 0;

 protected:
  ~INetConnectCallback() = default;
};

class INetConnect {
 public:
  // Starts connecting to `host` (UTF-8 name or address) on `port`, through the proxy set
  // with SetProxy at this moment. Returns RES_PENDING when started (the outcome arrives in
  // OnConnect within the connect time limit, 10 s) or RES_BAD_ARGUMENT. A connection that is
  // still open is closed first.
  virtual ResCode Connect(const char* host, int port) = 0;
  // Queues `length` bytes; queued data is written in order. Returns 0 when accepted,
  // RES_NOT_CONNECTED or RES_BAD_ARGUMENT otherwise.
  virtual int Send(const char* data, int length) = 0;
  // Closes the connection without further callbacks. Safe from any thread and repeatable.
  virtual void Close() = 0;
  // True between a successful OnConnect and the end of the connection.
  virtual bool IsConnected() = 0;

  // Closes the connection. Declared after the operations to keep their slot order.
  virtual ~INetConnect() = default;
};

// Creates a connection reporting to `callback`, which must outlive it (or its Close()).
// `*out` receives the connection, or null on failure (false).
bool CreateNetConnect(INetConnect** out, INetConnectCallback* callback);

}  // namespace net
