#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <thread>

#include "support/platform.h"

extern char** environ;

namespace channel_test {

bool StartProcess(const std::string& program, const std::vector<std::string>& args,
                  StartedProcess& started) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  // Both ends close on exec, so that no other program started meanwhile holds them.
  int input[2];
  if (pipe2(input, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
  pid_t pid = 0;
  const bool spawned =
      posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(input[0]);
  if (!spawned) {
    close(input[1]);
    return false;
  }
  started.id = pid;
  started.input = input[1];
  return true;
}

void ReapProcess(StartedProcess& started) {
  if (started.input >= 0) close(static_cast<int>(started.input));
  started.input = -1;
  const auto pid = static_cast<pid_t>(started.id);
  for (int i = 0; i < 500; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) != 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

std::string NativePath(const std::filesystem::path& path) { return path.string(); }

std::chrono::nanoseconds ProcessCpuTime() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace channel_test
