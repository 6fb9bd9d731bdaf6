#pragma once

// What the channel tests need of the operating system: starting the native gateway,
// naming files the way it sees them, and this process's CPU time. Under Wine the tests
// are Windows programs while the gateway is a native one.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace channel_test {

struct StartedProcess {
  long long id = 0;  // where the platform can wait for it; 0 otherwise
  std::intptr_t input = -1;  // our end of its standard input; -1 when closed
};

// Starts `program` (a native path) with `args`, without waiting for it. Its standard input
// is connected to an end that only this process holds, so that the program sees when this
// process ends, however it ends; its output is this process's.
bool StartProcess(const std::string& program, const std::vector<std::string>& args,
                  StartedProcess& started);
// Closes the program's standard input and waits a little for the program to end, so that
// it leaves no trace (the wait is a no-op where the platform cannot wait).
void ReapProcess(StartedProcess& started);

// `path` of this process's file system as a native program sees it.
std::string NativePath(const std::filesystem::path& path);

std::chrono::nanoseconds ProcessCpuTime();

}  // namespace channel_test
