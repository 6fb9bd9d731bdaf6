#include <gtest/gtest.h>

#include "net/fetch_url.h"
#include "net/net_connect.h"
#include "net/proxy.h"
#include "support/loopback.h"
#include "support/recording_callback.h"
#include "support/scripted_peer.h"
#include "support/test_connection.h"

namespace net {
namespace {

using namespace std::chrono_literals;
using boost::asio::ip::tcp;
using testing::CRecordingCallback;
using testing::CScriptedPeer;
using testing::CTestConnection;
using testing::Event;
using testing::ReadExactly;
using testing::ReadUntil;
using testing::WriteAll;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes += static_cast<char>(value);
  return bytes;
}

class ProxyProtocol : public ::testing::Test {
 protected:
  void TearDown() override { SetProxy(PROXY_NONE, L"", L"", L"", L"", L""); }

  CTestConnection connection_{2s};
  CRecordingCallback& callback_ = connection_.Callback();
};

TEST_F(ProxyProtocol, HttpConnectTunnelsAndKeepsBytesThatCameWithTheAnswer) {
  std::string request;
  CScriptedPeer proxy([&](tcp::socket& socket) {
    request = ReadUntil(socket, "\r\n\r\n");
    WriteAll(socket, "HTTP/1.1 200 Connection established\r\n\r\nHELLO");
    if (ReadExactly(socket, 4) == "ping") WriteAll(socket, "pong");
  });
  SetProxy(PROXY_HTTP, L"127.0.0.1", proxy.PortText(), L"alice", L"secret", L"");
  ASSERT_EQ(connection_.ConnectAndWait("gateway.example", 8080), RES_OK);
  ASSERT_TRUE(callback_.WaitForReceived(5));
  ASSERT_EQ(connection_->Send("ping", 4), 0);
  ASSERT_TRUE(callback_.WaitForReceived(9));
  EXPECT_EQ(callback_.Received(), "HELLOpong");
  connection_->Close();
  EXPECT_EQ(request.rfind("CONNECT gateway.example:8080 HTTP/1.1\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("Proxy-Authorization: Basic YWxpY2U6c2VjcmV0\r\n"), std::string::npos);
}

TEST_F(ProxyProtocol, HttpConnectFailuresAreProxyFailures) {
  const char* answers[] = {
      "HTTP/1.1 407 Proxy Authentication Required\r\nContent-Length: 0\r\n\r\n",
      "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n",
      "this is not HTTP\r\n\r\n",
      "",  // closes without answering
  };
  for (const char* answer : answers) {
    CTestConnection connection;
    CScriptedPeer proxy([&](tcp::socket& socket) {
      ReadUntil(socket, "\r\n\r\n");
      WriteAll(socket, answer);
    });
    SetProxy(PROXY_HTTP, L"127.0.0.1", proxy.PortText(), L"", L"", L"");
    EXPECT_EQ(connection.ConnectAndWait("127.0.0.1", 9), RES_PROXY_FAILED) << answer;
    EXPECT_FALSE(connection->IsConnected());
  }
}

// A SOCKS5 proxy that wants alice/secret and connects anything.
void Socks5WithPassword(tcp::socket& socket, std::string& request) {
  if (ReadExactly(socket, 4) != Bytes({5, 2, 0, 2})) return;
  WriteAll(socket, Bytes({5, 2}));
  std::string login = ReadExactly(socket, 2);
  std::string user = ReadExactly(socket, static_cast<unsigned char>(login[1]));
  std::string password = ReadExactly(socket, static_cast<unsigned char>(ReadExactly(socket, 1)[0]));
  bool accepted = login[0] == 1 && user == "alice" && password == "secret";
  WriteAll(socket, Bytes({1, accepted ? 0 : 1}));
  if (!accepted) return;
  request = ReadExactly(socket, 5);
  request += ReadExactly(socket, static_cast<unsigned char>(request[4]) + 2u);
  WriteAll(socket, Bytes({5, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
  WriteAll(socket, ReadExactly(socket, 4));  // echo
}

TEST_F(ProxyProtocol, Socks5SendsUserAndPasswordAndTheNameToConnect) {
  std::string request;
  CScriptedPeer proxy([&](tcp::socket& socket) { Socks5WithPassword(socket, request); });
  SetProxy(PROXY_SOCKS5, L"127.0.0.1", proxy.PortText(), L"alice", L"secret", L"");
  ASSERT_EQ(connection_.ConnectAndWait("gateway.example", 8080), RES_OK);
  ASSERT_EQ(connection_->Send("echo", 4), 0);
  ASSERT_TRUE(callback_.WaitForReceived(4));
  EXPECT_EQ(callback_.Received(), "echo");
  connection_->Close();
  EXPECT_EQ(request, Bytes({5, 1, 0, 3, 15}) + "gateway.example" + Bytes({0x1F, 0x90}));
}

TEST_F(ProxyProtocol, Socks5WrongPasswordFailsCleanly) {
  std::string request;
  CScriptedPeer proxy([&](tcp::socket& socket) { Socks5WithPassword(socket, request); });
  SetProxy(PROXY_SOCKS5, L"127.0.0.1", proxy.PortText(), L"alice", L"wrong", L"");
  EXPECT_EQ(connection_.ConnectAndWait("gateway.example", 8080), RES_PROXY_FAILED);
  EXPECT_FALSE(connection_->IsConnected());
  EXPECT_EQ(request, "") << "no connect request after a refused login";
}

TEST_F(ProxyProtocol, Socks5AnswersMapToResults) {
  const struct {
    const char* name;
    std::string methodAnswer;
    std::string connectAnswer;
    ResCode expected;
  } cases[] = {
      {"target refused", Bytes({5, 0}), Bytes({5, 5, 0, 1, 0, 0, 0, 0, 0, 0}), RES_REFUSED},
      {"general failure", Bytes({5, 0}), Bytes({5, 1, 0, 1, 0, 0, 0, 0, 0, 0}), RES_PROXY_FAILED},
      {"no acceptable method", Bytes({5, 0xFF}), "", RES_PROXY_FAILED},
      {"password wanted but none set", Bytes({5, 2}), "", RES_PROXY_FAILED},
      {"wrong version", Bytes({4, 0}), "", RES_PROXY_FAILED},
      {"unknown address type", Bytes({5, 0}), Bytes({5, 0, 0, 9}), RES_PROXY_FAILED},
      {"bound to a name", Bytes({5, 0}), Bytes({5, 0, 0, 3, 4}) + "host" + Bytes({0, 80}), RES_OK},
      {"bound to IPv6", Bytes({5, 0}), Bytes({5, 0, 0, 4}) + std::string(18, '\0'), RES_OK},
  };
  for (const auto& c : cases) {
    CTestConnection connection;
    std::string request;
    CScriptedPeer proxy([&](tcp::socket& socket) {
      if (ReadExactly(socket, 3) != Bytes({5, 1, 0})) return;  // no credentials: one method
      WriteAll(socket, c.methodAnswer);
      if (c.connectAnswer.empty()) return;
      request = ReadExactly(socket, 10);
      WriteAll(socket, c.connectAnswer);
      ReadExactly(socket, 1);  // hold the line until the client is done
    });
    SetProxy(PROXY_SOCKS5, L"127.0.0.1", proxy.PortText(), L"", L"", L"");
    EXPECT_EQ(connection.ConnectAndWait("127.0.0.1", 8080), c.expected) << c.name;
    connection->Close();
    if (!c.connectAnswer.empty()) {
      EXPECT_EQ(request, Bytes({5, 1, 0, 1, 127, 0, 0, 1, 0x1F, 0x90})) << c.name << ": IPv4 target";
    }
  }
}

TEST_F(ProxyProtocol, UnreachableOrSilentProxiesFail) {
  SetProxy(PROXY_SOCKS5, L"127.0.0.1", std::to_wstring(testing::UnusedPort()), L"", L"", L"");
  EXPECT_EQ(connection_.ConnectAndWait("127.0.0.1", 8080), RES_PROXY_FAILED);

  CTestConnection connection(200ms);
  CScriptedPeer silent([](tcp::socket& socket) { ReadExactly(socket, 1000); });
  SetProxy(PROXY_HTTP, L"127.0.0.1", silent.PortText(), L"", L"", L"");
  EXPECT_EQ(connection.ConnectAndWait("127.0.0.1", 8080, 5s), RES_TIMEOUT);
  connection->Close();
}

TEST_F(ProxyProtocol, UnusableSettingsMeanNoProxy) {
  testing::CLoopbackListener target;
  const struct {
    HTTP_CLIENT_RPOXY_TYPE type;
    const wchar_t* host;
    const wchar_t* port;
  } cases[] = {
      {static_cast<HTTP_CLIENT_RPOXY_TYPE>(7), L"127.0.0.1", L"1080"},
      {PROXY_SOCKS5, L"", L"1080"},
      {PROXY_SOCKS5, L"127.0.0.1", L"abc"},
      {PROXY_HTTP, L"127.0.0.1", L"70000"},
      {PROXY_HTTP, L"127.0.0.1", L""},
  };
  for (const auto& c : cases) {
    CTestConnection connection;
    SetProxy(c.type, c.host, c.port, L"", L"", L"");
    ASSERT_EQ(connection->Connect("127.0.0.1", target.Port()), RES_PENDING);
    auto accepted = target.Accept();
    ASSERT_TRUE(connection.Callback().WaitForEvent(Event::kConnect));
    EXPECT_EQ(connection.Callback().CodeOf(Event::kConnect), RES_OK);
  }
}

TEST_F(ProxyProtocol, FetchThroughAnHttpProxyUsesTheAbsoluteUrl) {
  std::string request;
  CScriptedPeer proxy([&](tcp::socket& socket) {
    request = ReadUntil(socket, "\r\n\r\n");
    WriteAll(socket, "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nlist!");
  });
  SetProxy(PROXY_HTTP, L"127.0.0.1", proxy.PortText(), L"alice", L"secret", L"");
  std::string body;
  EXPECT_EQ(FetchUrl(L"http://gateway.example:8080/allot?x=1", 5000, body), 200);
  EXPECT_EQ(body, "list!");
  EXPECT_EQ(request.rfind("GET http://gateway.example:8080/allot?x=1 HTTP/1.1\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("Proxy-Authorization: Basic YWxpY2U6c2VjcmV0\r\n"), std::string::npos);
}

}  // namespace
}  // namespace net
