#include "security_data.h"

#include "base/lazy_instance.h"
#include "base/path_service.h"
#include "base/strings.h"

namespace {

base::LazyInstance<SecurityData> g_security_data;

// The constant pieces of the identifier template: a 7-character prefix before
// the first two address bytes and a 3-character separator before the others.
constexpr char kIdentifierPrefix[] = "NBADAPT";
constexpr char kIdentifierSeparator[] = "-ID";

base::FilePath DefaultModulePath() {
  base::FilePath folder;
  base::PathService::Get(base::DIR_MODULE, &folder);
  return folder.Append(SecurityModuleFileName());
}

template <typename Function>
Function FindExport(SecurityModuleLoader& loader, void* module, const char* name) {
  return reinterpret_cast<Function>(loader.Find(module, name));
}

}  // namespace

std::string AdapterIdentifierText(const std::optional<AdapterAddress>& address) {
  if (!address) return std::string();
  const AdapterAddress& a = *address;
  return base::StringPrintf("%s%02X%02X%s%02X%02X%02X%02X", kIdentifierPrefix, a[0], a[1],
                            kIdentifierSeparator, a[2], a[3], a[4], a[5]);
}

SecurityData& SecurityData::Get() { return g_security_data.Get(); }

SecurityData::SecurityData()
    : SecurityData(SystemSecurityModuleLoader(), DefaultModulePath(), &ReadAdapterAddress) {}

SecurityData::SecurityData(SecurityModuleLoader& loader, const base::FilePath& module_path,
                           AdapterReader reader)
    : loader_(loader), read_adapter_(reader) {
  LoadModule(module_path);
}

SecurityData::~SecurityData() {
  if (!module_) return;
  if (ready_) {
    if (auto stop = FindExport<StopVeyraFunc>(loader_, module_, kStopVeyraName)) stop();
  }
  loader_.Free(module_);
}

void SecurityData::LoadModule(const base::FilePath& path) {
  // A failure leaves the module not ready; it is neither reported nor retried.
  module_ = loader_.Load(path);
  if (!module_) return;
  auto start = FindExport<StartVeyraFunc>(loader_, module_, kStartVeyraName);
  if (!start || start() == 0) return;
  get_ua_ = FindExport<GetUAFunc>(loader_, module_, kGetUAName);
  if (!get_ua_) return;
  free_ua_ = FindExport<FreeUABuffFunc>(loader_, module_, kFreeUABuffName);
  ready_ = free_ua_ != nullptr;
}

bool SecurityData::Update(const std::string& input) {
  if (computed_ && input == last_input_) return true;
  last_input_ = input;
  adapter_digest_ = base::MD5String(AdapterIdentifierText(read_adapter_()));
  machine_id_ = "DS" + base::MD5String(input + adapter_digest_);
  FetchUaData();
  fields_.clear();
  fields_["machineid"] = machine_id_;
  fields_["mac"] = "MA" + adapter_digest_;
  fields_["veyradata"] = "UA" + ua_data_;
  computed_ = true;
  return true;
}

void SecurityData::FetchUaData() {
  if (!ready_ || !get_ua_) return;
  unsigned char* buffer = nullptr;
  int32_t length = 0;
  if (get_ua_(&buffer, &length) == 0) return;
  // The module's answer is outside input: a null buffer or a negative length
  // gives no data instead of a wild read.
  if (buffer && length > 0) {
    ua_data_.assign(reinterpret_cast<const char*>(buffer), static_cast<size_t>(length));
  } else {
    ua_data_.clear();
  }
  if (buffer && free_ua_) free_ua_(buffer);
}
