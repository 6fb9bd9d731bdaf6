// Runs the real vantlecmd.exe against the stand-in host, in scratch folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "vantlecmd/tests/process_group.h"
#include "vantlecmd/tests/scratch_folder.h"
#include "vantlecmd/tests/stand_in_protocol.h"
#include "vantlecmd/win/module_path.h"

namespace vantlecmd::tests {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Generous, because Wine may run under emulation on a busy machine, where a
// process start can take minutes; every wait ends as soon as what it waits for
// happens.
constexpr auto kProcessLimit = 600s;

// The forwarder's own path is made this long, past the 255 units a fixed
// buffer would hold, while the host's path and folder stay within MAX_PATH.
constexpr std::size_t kForwarderPathLength = 258;

// Blanks, a doubled blank, quotes (one unbalanced) and text beyond ASCII,
// including a surrogate pair. Leading blanks are left out: the system's
// start-up strips them before the program sees its command text.
const std::wstring kCommandTexts[] = {
    L"",
    L"open  \"C:\\Program Files\\a b\" --x=\"y z\" \" "
    L"\u00e4\u00df \u20ac \u65e5\u672c \U0001F600",
};

fs::path BuildFolder() {
  return fs::path(GetOwnModulePath().value()).parent_path();
}

std::string ReadFileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Utf16BytesWithNul(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()),
                     (text.size() + 1) * sizeof(wchar_t));
}

// An installation in a folder with a blank in its name, as under
// "C:\Program Files", and long enough that the forwarder's path passes 255
// units. A decoy program sits where the unquoted host path would be cut at
// that blank, so that starting it instead of the host shows.
class CInstallation {
 public:
  enum class Host { kPresent, kMissing };

  explicit CInstallation(Host host) : folder_(LongFolderIn(scratch_.path())) {
    fs::create_directories(folder_);
    fs::copy_file(BuildFolder() / L"vantlecmd.exe", folder_ / L"vantlecmd.exe");
    if (host == Host::kPresent) {
      fs::copy_file(StandInPath(), folder_ / L"vantle.exe");
    }
    fs::copy_file(StandInPath(), scratch_.path() / L"host.exe");
  }

  static fs::path StandInPath() {
    return BuildFolder() / L"vantlecmd_stand_in_host.exe";
  }

  const fs::path& folder() const { return folder_; }
  bool DecoyStarted() const {
    return fs::exists(scratch_.path() / kStartRecordName);
  }

  // Runs the installed forwarder to its end; its exit code.
  std::optional<DWORD> Forward(const std::wstring& command_text,
                               CProcessGroup& group) const {
    return group.Start(folder_ / L"vantlecmd.exe", command_text)
        .WaitForExitCode(kProcessLimit);
  }

 private:
  static fs::path LongFolderIn(const fs::path& parent) {
    std::wstring name = L"host dir ";
    const std::size_t unpadded =
        (parent / name / L"vantlecmd.exe").wstring().size();
    if (unpadded < kForwarderPathLength) {
      name.append(kForwarderPathLength - unpadded, L'x');
    }
    return parent / name;
  }

  CScratchFolder scratch_;
  fs::path folder_;
};

struct HostStart {
  std::wstring command_line;
  std::wstring current_directory;
};

// What a host started by the forwarder recorded, once it has ended.
std::optional<HostStart> ReadHostStart(const fs::path& folder) {
  const std::string bytes = ReadFileBytes(folder / kStartRecordName);
  std::wstring units(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(units.data(), bytes.data(), units.size() * sizeof(wchar_t));
  const std::size_t separator = units.find(L'\0');
  if (separator == std::wstring::npos) {
    return std::nullopt;
  }
  return HostStart{units.substr(0, separator), units.substr(separator + 1)};
}

struct CopyDataRecord {
  std::uint32_t type;
  std::uint32_t size;
  std::string payload;
};

std::vector<CopyDataRecord> ReadCopyDataLog(const fs::path& log) {
  const std::string bytes = ReadFileBytes(log);
  std::vector<CopyDataRecord> records;
  std::size_t offset = 0;
  while (bytes.size() - offset >= 2 * sizeof(std::uint32_t)) {
    CopyDataRecord record{};
    std::memcpy(&record.type, bytes.data() + offset, sizeof(record.type));
    std::memcpy(&record.size, bytes.data() + offset + 4, sizeof(record.size));
    offset += 2 * sizeof(std::uint32_t);
    record.payload = bytes.substr(offset, record.size);
    offset += record.payload.size();
    records.push_back(record);
  }
  return records;
}

// A stand-in host owning the message-only window, started in |group| and
// waited for until its window exists.
void StartWindowedHost(CProcessGroup& group, const std::wstring& arguments) {
  const CChildProcess host =
      group.Start(CInstallation::StandInPath(), arguments);
  const auto deadline = std::chrono::steady_clock::now() + kProcessLimit;
  while (!FindWindowExW(HWND_MESSAGE, nullptr, kHostWindowClass, nullptr)) {
    ASSERT_FALSE(host.WaitForExitCode(0ms)) << "the stand-in host ended";
    ASSERT_LT(std::chrono::steady_clock::now(), deadline)
        << "the stand-in host shows no window";
    std::this_thread::sleep_for(10ms);
  }
}

TEST(ForwarderTest, RunningHostReceivesEachTextByteForByte) {
  const CInstallation installation(CInstallation::Host::kPresent);
  const fs::path log = installation.folder() / L"copy-data.bin";
  CProcessGroup host;
  ASSERT_NO_FATAL_FAILURE(StartWindowedHost(
      host, std::wstring(kServeSwitch) + L" \"" + log.wstring() + L"\""));

  CProcessGroup forwarders;
  for (const std::wstring& text : kCommandTexts) {
    EXPECT_EQ(installation.Forward(text, forwarders), 0u);
  }
  // Nothing was started besides the forwarders themselves.
  EXPECT_EQ(forwarders.StartedProcessCount(), std::size(kCommandTexts));

  const std::vector<CopyDataRecord> records = ReadCopyDataLog(log);
  ASSERT_EQ(records.size(), std::size(kCommandTexts));
  for (std::size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE(i);
    const std::string expected = Utf16BytesWithNul(kCommandTexts[i]);
    EXPECT_EQ(records[i].type, 1u);
    EXPECT_EQ(records[i].size, expected.size());
    EXPECT_EQ(records[i].payload, expected);
  }
  // The empty text is its terminating NUL alone.
  EXPECT_EQ(records[0].size, 2u);
}

// A top-level window of the host's class, in the test's own process.
class CTopLevelHostClassWindow {
 public:
  CTopLevelHostClassWindow() {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kHostWindowClass;
    if (RegisterClassW(&window_class)) {
      window_ = CreateWindowExW(0, kHostWindowClass, nullptr,
                                WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                                nullptr, window_class.hInstance, nullptr);
    }
  }
  ~CTopLevelHostClassWindow() {
    if (window_) {
      DestroyWindow(window_);
    }
    UnregisterClassW(kHostWindowClass, GetModuleHandleW(nullptr));
  }
  CTopLevelHostClassWindow(const CTopLevelHostClassWindow&) = delete;
  CTopLevelHostClassWindow& operator=(const CTopLevelHostClassWindow&) =
      delete;

  bool exists() const { return window_ != nullptr; }

 private:
  HWND window_ = nullptr;
};

// The top-level window open meanwhile must not be taken for the host: only
// message-only windows are.
TEST(ForwarderTest, WithoutMessageOnlyHostStartsHostWithSwitchInItsFolder) {
  const CTopLevelHostClassWindow top_level;
  ASSERT_TRUE(top_level.exists());

  for (const std::wstring& text : kCommandTexts) {
    SCOPED_TRACE(::testing::PrintToString(text));
    const CInstallation installation(CInstallation::Host::kPresent);
    CProcessGroup group;
    EXPECT_EQ(installation.Forward(text, group), 0u);
    ASSERT_TRUE(group.WaitUntilAllEnded(kProcessLimit));
    EXPECT_EQ(group.StartedProcessCount(), 2u);

    const std::optional<HostStart> start = ReadHostStart(installation.folder());
    ASSERT_TRUE(start);
    // Unquoted path, the switch, then the text; "=" ends it for an empty text.
    EXPECT_EQ(start->command_line, installation.folder().wstring() +
                                       L"\\vantle.exe --vantle-cmd=" + text);
    EXPECT_EQ(start->current_directory, installation.folder().wstring());
    EXPECT_FALSE(installation.DecoyStarted());
  }
}

TEST(ForwarderTest, HungHostDoesNotHoldTheForwarder) {
  const CInstallation installation(CInstallation::Host::kPresent);
  CProcessGroup host;
  ASSERT_NO_FATAL_FAILURE(StartWindowedHost(host, kHangSwitch));

  CProcessGroup group;
  // Without a bounded send the forwarder would wait for the host for ever.
  EXPECT_EQ(installation.Forward(L"hello", group), 0u);
  // The hung host is left alone, not started anew.
  EXPECT_EQ(group.StartedProcessCount(), 1u);
}

TEST(ForwarderTest, MissingHostStartsNothing) {
  const CInstallation installation(CInstallation::Host::kMissing);
  CProcessGroup group;
  EXPECT_EQ(installation.Forward(L"anything", group), 0u);
  EXPECT_TRUE(group.WaitUntilAllEnded(kProcessLimit));
  EXPECT_EQ(group.StartedProcessCount(), 1u);
  EXPECT_FALSE(installation.DecoyStarted());
}

}  // namespace
}  // namespace vantlecmd::tests
