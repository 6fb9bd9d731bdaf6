// Device evidence for login requests: a machine id from the first adapter's
// address and the user id, a digest of the adapter address, and the opaque
// blob of the security-data module, which this object loads and unloads.
//
//   SecurityData& security = SecurityData::Get();
//   security.Update(base::WideToUTF8(uid));
//   for (const auto& [key, value] : security.GetFields()) request.Set(key, value);
#ifndef VELKOR_SOURCE_MODEL_SERVICE_SECURITY_DATA_H_
#define VELKOR_SOURCE_MODEL_SERVICE_SECURITY_DATA_H_

#include <map>
#include <optional>
#include <string>

#include "adapter_address.h"
#include "base/file_path.h"
#include "security_module_loader.h"
#include "veyra_exports.h"

// All calls come from the login thread; only the creation of the process-wide
// instance is safe against racing first uses.
class SecurityData {
 public:
  using AdapterReader = std::optional<AdapterAddress> (*)();

  // The process-wide instance, created on first use and destroyed (stopping
  // and unloading the module) by the base library's at-exit processing.
  static SecurityData& Get();

  // Loads the module from the base library's module folder.
  SecurityData();
  // Loads `module_path` through `loader` and reads the adapter through `reader`.
  SecurityData(SecurityModuleLoader& loader, const base::FilePath& module_path,
               AdapterReader reader);
  ~SecurityData();
  SecurityData(const SecurityData&) = delete;
  SecurityData& operator=(const SecurityData&) = delete;

  // Recomputes every value for `input` (the UTF-8 user id), unless the last
  // computation was for the same input. Always true.
  bool Update(const std::string& input);

  // As last computed; empty before the first Update.
  std::string GetMachineId() const { return machine_id_; }
  std::string GetAdapterDigest() const { return adapter_digest_; }
  std::string GetUaData() const { return ua_data_; }
  // "machineid", "mac" and "veyradata" for the login request.
  std::map<std::string, std::string> GetFields() const { return fields_; }

 private:
  void LoadModule(const base::FilePath& path);
  void FetchUaData();

  SecurityModuleLoader& loader_;
  const AdapterReader read_adapter_;
  void* module_ = nullptr;
  GetUAFunc get_ua_ = nullptr;
  FreeUABuffFunc free_ua_ = nullptr;
  bool ready_ = false;
  bool computed_ = false;
  std::string last_input_;
  std::string machine_id_;
  std::string adapter_digest_;
  std::string ua_data_;
  std::map<std::string, std::string> fields_;
};

// The 22-character text that the adapter digest is taken over; empty when
// there is no address.
std::string AdapterIdentifierText(const std::optional<AdapterAddress>& address);

#endif  // VELKOR_SOURCE_MODEL_SERVICE_SECURITY_DATA_H_
