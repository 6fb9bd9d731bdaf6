#pragma once

// The fault settings in force: the command line's directives, then the control file's,
// one "key=value" per line ('#' starts a comment). The file is read again whenever it
// changed, so a test rewrites it to change the faults of a running gateway.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gateway_options.h"

namespace gateway {

class ControlFile {
 public:
  ControlFile(std::string path, std::vector<std::string> baseDirectives);

  // Lines that are not a known directive are reported on stderr and skipped.
  const FaultSettings& Current();

  // One version of the file, told apart without reading it: a rewrite through a rename
  // brings a new inode, one in place a new size or time stamp.
  struct Stamp {
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;
    bool operator==(const Stamp&) const = default;
  };

 private:
  void Rebuild();

  const std::string path_;
  const std::vector<std::string> base_directives_;
  std::optional<Stamp> stamp_;  // of the file as last read; none while it is missing
  std::string text_;            // the file as last read
  FaultSettings current_;
};

}  // namespace gateway
