#include "support/gateway_process.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

#include "base/strings.h"
#include "net/fetch_url.h"

namespace channel_test {
namespace {

constexpr int kControlTimeoutMs = 5000;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  const std::filesystem::path partial = path.string() + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << text;
  }
  std::filesystem::rename(partial, path);
}

std::string Lines(const std::vector<std::string>& directives) {
  std::string text;
  for (const std::string& directive : directives) text += directive + "\n";
  return text;
}

}  // namespace

bool Eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

std::filesystem::path MakeTempFolder(const std::string& prefix) {
  static std::atomic<int> counter{0};
  std::random_device random;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      (prefix + "-" + std::to_string(random()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(folder);
  return folder;
}

std::unique_ptr<GatewayProcess> GatewayProcess::Start(const std::vector<std::string>& faults,
                                                      std::string& error) {
  const char* program = std::getenv("VELKOR_GATEWAY");
  if (program == nullptr || *program == '\0') {
    error = "VELKOR_GATEWAY names no gateway program";
    return nullptr;
  }
  std::unique_ptr<GatewayProcess> gateway(new GatewayProcess());
  gateway->folder_ = MakeTempFolder("channel-gateway");
  const std::filesystem::path portFile = gateway->folder_ / "ports";
  const std::filesystem::path controlFile = gateway->folder_ / "faults";
  WriteFile(controlFile, "");

  std::vector<std::string> args = {"--port=0", "--http-port=0",
                                   "--port-file=" + NativePath(portFile),
                                   "--control-file=" + NativePath(controlFile),
                                   "--max-life-ms=600000", "--end-with-input=1"};
  for (const std::string& fault : faults) args.push_back("--" + fault);
  if (!StartProcess(program, args, gateway->process_)) {
    error = std::string("cannot start ") + program;
    return nullptr;
  }
  gateway->running_ = true;
  if (!Eventually([&] { return std::filesystem::exists(portFile); }, std::chrono::seconds(20))) {
    error = "the gateway wrote no port file";
    return nullptr;
  }
  std::istringstream ports(ReadFile(portFile));
  ports >> gateway->port_ >> gateway->http_port_;
  if (gateway->port_ <= 0 || gateway->http_port_ <= 0) {
    error = "unreadable port file";
    return nullptr;
  }
  return gateway;
}

GatewayProcess::~GatewayProcess() {
  Quit();
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void GatewayProcess::Quit() {
  if (!running_) return;
  running_ = false;
  if (http_port_ > 0) (void)Get("/quit");
  ReapProcess(process_);
}

std::wstring GatewayProcess::Address() const { return L"127.0.0.1:" + std::to_wstring(port_); }

std::wstring GatewayProcess::AllotUrl() const {
  return L"http://127.0.0.1:" + std::to_wstring(http_port_) +
         L"/imlogingw/tcp60login?ver=%ls&devid=%ls";
}

void GatewayProcess::SetFaults(const std::vector<std::string>& faults) {
  WriteFile(folder_ / "faults", Lines(faults));
}

std::string GatewayProcess::Get(const std::string& pathAndQuery) const {
  std::string body;
  const std::wstring url =
      L"http://127.0.0.1:" + std::to_wstring(http_port_) + base::UTF8ToWide(pathAndQuery);
  return net::FetchUrl(url, kControlTimeoutMs, body) == 200 ? body : std::string();
}

nlohmann::json GatewayProcess::Stats() const {
  return nlohmann::json::parse(Get("/stats"), nullptr, /*allow_exceptions=*/false);
}

int GatewayProcess::CallCount(const std::string& call) const {
  const nlohmann::json stats = Stats();
  const nlohmann::json* calls = stats.is_object() && stats.contains("calls") ? &stats["calls"] : nullptr;
  if (calls == nullptr || !calls->contains(call)) return 0;
  return (*calls)[call]["count"].get<int>();
}

int GatewayProcess::Push(const std::string& query) const {
  const std::string answer = Get("/push?" + query);
  return answer.empty() ? 0 : std::stoi(answer);
}

void GatewayProcess::Drop() const { (void)Get("/drop"); }

}  // namespace channel_test
