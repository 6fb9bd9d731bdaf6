#include "nexa/server_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nexalib {
namespace {

std::vector<std::wstring> AsVector(const AddressList& list) { return {list.begin(), list.end()}; }

struct TokenCase {
  std::wstring text;
  std::vector<std::wstring> tokens;
};

TEST(AllotTokensTest, KeepsOnlyNonEmptyTokensInOrderUpToTheFirstNul) {
  const std::vector<TokenCase> cases = {
      {L"", {}},
      {L"a:1", {L"a:1"}},
      {L"a:1,,b:2,", {L"a:1", L"b:2"}},
      {L",,,", {}},
      {std::wstring(L"a:1,b:2\0c:3", 11), {L"a:1", L"b:2"}},
  };
  for (const TokenCase& c : cases) {
    AddressList list = {L"last:9"};
    AppendAllotTokens(list, c.text);
    std::vector<std::wstring> expected = {L"last:9"};
    expected.insert(expected.end(), c.tokens.begin(), c.tokens.end());
    EXPECT_EQ(AsVector(list), expected) << c.text;
  }
}

TEST(SavedServersTest, SkipsEmptyLines) {
  AddressList list;
  AppendSavedServers(list, L"a:1\n\nb:2\n");
  EXPECT_EQ(AsVector(list), (std::vector<std::wstring>{L"a:1", L"b:2"}));
}

struct AddressCase {
  std::wstring entry;
  bool hostName;
  std::wstring host;
  int port;
};

TEST(AddressEntryTest, SplitsAtTheFirstColonAndPassesBadPortsAsZero) {
  const std::vector<AddressCase> cases = {
      {L"127.0.0.1:13000", false, L"127.0.0.1", 13000},
      {L"host:abc", false, L"host", 0},
      {L"host:", false, L"host", 0},
      {L"host:80:81", false, L"host", 80},
      {L"gateway.example", true, L"gateway.example", 0},
      {L":8080", true, L"", 8080},
  };
  for (const AddressCase& c : cases) {
    EXPECT_EQ(IsHostName(c.entry), c.hostName) << c.entry;
    const ServerAddress address = SplitAddress(c.entry);
    EXPECT_EQ(address.host, c.host) << c.entry;
    EXPECT_EQ(address.port, c.port) << c.entry;
  }
}

TEST(SavedServerTextTest, KeepsFiveEntriesThatAreNotTheDefault) {
  const AddressList list = {L"d:1", L"a:1", L"b:1", L"d:1", L"c:1", L"e:1", L"f:1", L"g:1"};
  EXPECT_EQ(SavedServerText(list, L"d:1"), L"a:1\nb:1\nc:1\ne:1\nf:1\n");
  EXPECT_EQ(SavedServerText({L"d:1"}, L"d:1"), L"");
}

TEST(AllotUrlTest, EmptiesTwoPlaceholdersAndInterpretsNothingElse) {
  const std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {L"http://h/a?ver=%ls&devid=%ls", L"http://h/a?ver=&devid="},
      {L"http://h/a?x=%ls%ls%ls", L"http://h/a?x=%ls"},
      {L"http://h/%s%n%d?p=100%%", L"http://h/%s%n%d?p=100%"},
      {L"", L""},
  };
  for (const auto& [urlTemplate, url] : cases) EXPECT_EQ(FormatAllotUrl(urlTemplate), url);
}

}  // namespace
}  // namespace nexalib
