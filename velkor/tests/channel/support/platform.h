#pragma once

// What the channel tests need of the operating system: starting the native gateway,
// naming files the way it sees them, and this process's CPU time. Under Wine the tests
// are Windows programs while the gateway is a native one.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace channel_test {

struct StartedProcess {
  long long id = 0;  // where the platform can wait for it; 0 otherwise
};

// Starts `program` (a native path) with `args`, without waiting for it.
bool StartProcess(const std::string& program, const std::vector<std::string>& args,
                  StartedProcess& started);
// Waits a little for a started process that was asked to end, so that it leaves no
// trace; a no-op where the platform cannot wait.
void ReapProcess(const StartedProcess& started);

// `path` of this process's file system as a native program sees it.
std::string NativePath(const std::filesystem::path& path);

std::chrono::nanoseconds ProcessCpuTime();

}  // namespace channel_test
