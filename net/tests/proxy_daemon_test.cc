#include <gtest/gtest.h>

#include "net/fetch_url.h"
#include "net/net_connect.h"
#include "net/proxy.h"
#include "support/loopback.h"
#include "support/posix/proxy_daemon.h"
#include "support/recording_callback.h"
#include "support/test_connection.h"

namespace net {
namespace {

using testing::CProxyDaemon;
using testing::CRecordingCallback;
using testing::CTestConnection;
using testing::Event;

class RealProxy : public ::testing::Test {
 protected:
  void TearDown() override { SetProxy(PROXY_NONE, L"", L"", L"", L"", L""); }

  // A connection through the current proxy to a loopback server, both ways.
  void ExpectTunnel() {
    testing::CLoopbackListener target;
    CTestConnection connection;
    CRecordingCallback& callback = connection.Callback();
    ASSERT_EQ(connection->Connect("127.0.0.1", target.Port()), RES_PENDING);
    auto server = target.Accept();
    ASSERT_TRUE(callback.WaitForEvent(Event::kConnect));
    ASSERT_EQ(callback.CodeOf(Event::kConnect), RES_OK);
    ASSERT_EQ(connection->Send("through the proxy", 17), 0);
    EXPECT_EQ(testing::ReadExactly(server, 17), "through the proxy");
    testing::WriteAll(server, "and back");
    ASSERT_TRUE(callback.WaitForReceived(8));
    EXPECT_EQ(callback.Received(), "and back");
  }

  void ExpectFetch() {
    testing::CCannedHttpServer server("HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\nproxied");
    std::string body;
    EXPECT_EQ(FetchUrl(server.Url(L"/allot"), 10000, body), 200);
    EXPECT_EQ(body, "proxied");
    EXPECT_EQ(server.Request().rfind("GET /allot HTTP/1.1\r\n", 0), 0u) << server.Request();
  }
};

TEST_F(RealProxy, TinyproxyCarriesConnectionsAndFetches) {
  auto proxy = CProxyDaemon::StartTinyproxy();
  ASSERT_TRUE(proxy) << "tinyproxy did not start";
  SetProxy(PROXY_HTTP, L"127.0.0.1", proxy->PortText(), L"", L"", L"");
  ExpectTunnel();
  ExpectFetch();
}

TEST_F(RealProxy, TinyproxyChecksThePassword) {
  auto proxy = CProxyDaemon::StartTinyproxy("alice", "secret");
  ASSERT_TRUE(proxy) << "tinyproxy did not start";
  SetProxy(PROXY_HTTP, L"127.0.0.1", proxy->PortText(), L"alice", L"secret", L"");
  ExpectTunnel();
  ExpectFetch();

  SetProxy(PROXY_HTTP, L"127.0.0.1", proxy->PortText(), L"alice", L"wrong", L"");
  CTestConnection connection;
  EXPECT_EQ(connection.ConnectAndWait("127.0.0.1", testing::UnusedPort()), RES_PROXY_FAILED);

  std::string body;
  int status = FetchUrl(L"http://127.0.0.1:1/", 10000, body);
  EXPECT_TRUE(status == 401 || status == 407) << status << ": the proxy's refusal";
}

TEST_F(RealProxy, DanteCarriesConnectionsAndFetches) {
  auto proxy = CProxyDaemon::StartDante();
  ASSERT_TRUE(proxy) << "danted did not start";
  SetProxy(PROXY_SOCKS5, L"127.0.0.1", proxy->PortText(), L"", L"", L"");
  ExpectTunnel();
  ExpectFetch();

  CTestConnection connection;
  EXPECT_EQ(connection.ConnectAndWait("127.0.0.1", testing::UnusedPort()), RES_REFUSED)
      << "the target's refusal comes through";
}

}  // namespace
}  // namespace net
