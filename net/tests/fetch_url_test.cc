#include <gtest/gtest.h>

#include <chrono>

#include "net/fetch_url.h"
#include "net/proxy.h"
#include "support/loopback.h"

namespace net {
namespace {

using namespace std::chrono_literals;
using testing::CCannedHttpServer;

std::string Response(const std::string& statusLine, const std::string& body) {
  return "HTTP/1.1 " + statusLine + "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

class FetchUrlTest : public ::testing::Test {
 protected:
  void SetUp() override { SetProxy(PROXY_NONE, L"", L"", L"", L"", L""); }
};

TEST_F(FetchUrlTest, ReturnsStatusAndBody) {
  CCannedHttpServer server(Response("200 OK", "127.0.0.1:13000,127.0.0.1:13001"));
  std::string body = "stale";
  EXPECT_EQ(FetchUrl(server.Url(L"/allot?ver=1&os=win"), 10000, body), 200);
  EXPECT_EQ(body, "127.0.0.1:13000,127.0.0.1:13001");
  std::string request = server.Request();
  EXPECT_EQ(request.rfind("GET /allot?ver=1&os=win HTTP/1.1\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("Host: 127.0.0.1:" + std::to_string(server.Port())), std::string::npos);
}

TEST_F(FetchUrlTest, ReturnsOtherStatusesWithTheirBody) {
  const struct {
    const char* statusLine;
    int status;
    const char* body;
  } cases[] = {
      {"404 Not Found", 404, "gone"},
      {"500 Internal Server Error", 500, "oops"},
      {"204 No Content", 204, ""},
      {"200 OK", 200, ""},
  };
  for (const auto& c : cases) {
    CCannedHttpServer server(Response(c.statusLine, c.body));
    std::string body = "stale";
    EXPECT_EQ(FetchUrl(server.Url(), 10000, body), c.status) << c.statusLine;
    EXPECT_EQ(body, c.body) << c.statusLine;
  }
}

TEST_F(FetchUrlTest, ReadsChunkedAndUnframedBodies) {
  {
    CCannedHttpServer server(
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n");
    std::string body;
    EXPECT_EQ(FetchUrl(server.Url(), 10000, body), 200);
    EXPECT_EQ(body, "hello world");
  }
  {
    // No length: the body runs until the server closes.
    CCannedHttpServer server("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nuntil the end");
    std::string body;
    EXPECT_EQ(FetchUrl(server.Url(), 10000, body), 200);
    EXPECT_EQ(body, "until the end");
  }
}

TEST_F(FetchUrlTest, CapsTheBodyAtOneMebibyte) {
  {
    CCannedHttpServer server(Response("200 OK", std::string(kFetchBodyLimit, 'b')));
    std::string body;
    EXPECT_EQ(FetchUrl(server.Url(), 10000, body), 200);
    EXPECT_EQ(body.size(), kFetchBodyLimit);
  }
  const char* shapes[] = {"declared", "unframed"};
  for (const char* shape : shapes) {
    std::string big(kFetchBodyLimit + 1, 'b');
    CCannedHttpServer server(std::string(shape) == "declared"
                                 ? Response("200 OK", big)
                                 : "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big);
    std::string body;
    EXPECT_LE(FetchUrl(server.Url(), 10000, body), 0) << shape;
    EXPECT_TRUE(body.empty()) << shape;
  }
}

TEST_F(FetchUrlTest, GivesUpAtTheTimeLimit) {
  const struct {
    const char* name;
    std::string response;
  } cases[] = {
      {"silent server", ""},
      {"body never finishes", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly a little"},
  };
  for (const auto& c : cases) {
    CCannedHttpServer server(c.response, /*holdOpen=*/true);
    std::string body;
    auto started = std::chrono::steady_clock::now();
    EXPECT_LE(FetchUrl(server.Url(), 150, body), 0) << c.name;
    auto took = std::chrono::steady_clock::now() - started;
    EXPECT_GE(took, 140ms) << c.name;
    EXPECT_LT(took, 3s) << c.name;
    EXPECT_EQ(body, "") << c.name;
  }
}

TEST_F(FetchUrlTest, FailsFastOnUnusableUrlsAndPorts) {
  std::wstring refused = L"http://127.0.0.1:" + std::to_wstring(testing::UnusedPort()) + L"/";
  const wchar_t* urls[] = {
      L"",
      L"https://127.0.0.1/",
      L"ftp://127.0.0.1/",
      L"127.0.0.1/allot",
      L"http://",
      L"http:///path",
      L"http://127.0.0.1:/",
      L"http://127.0.0.1:0/",
      L"http://127.0.0.1:65536/",
      L"http://127.0.0.1:80x/",
      L"http://user:pw@127.0.0.1/",
      L"http://127.0.0.1/a b",
      L"http://127.0.0.1/\r\nX-Injected: 1",
      L"http://[::1/",
      refused.c_str(),
  };
  for (const wchar_t* url : urls) {
    std::string body = "stale";
    EXPECT_LE(FetchUrl(url, 2000, body), 0) << std::string(url, url + std::wcslen(url));
    EXPECT_EQ(body, "");
  }
  CCannedHttpServer server(Response("200 OK", "x"));
  std::string body;
  EXPECT_LE(FetchUrl(server.Url(), 0, body), 0) << "no time at all";
}

TEST_F(FetchUrlTest, AcceptsUpperCaseSchemeAndDropsTheFragment) {
  CCannedHttpServer server(Response("200 OK", "ok"));
  std::string body;
  std::wstring url = L"HTTP://127.0.0.1:" + std::to_wstring(server.Port()) + L"?q=1#frag";
  EXPECT_EQ(FetchUrl(url, 10000, body), 200);
  EXPECT_EQ(server.Request().rfind("GET /?q=1 HTTP/1.1\r\n", 0), 0u) << server.Request();
}

}  // namespace
}  // namespace net
