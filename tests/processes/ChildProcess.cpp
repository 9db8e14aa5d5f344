#include "ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace quillmoor::testing {

std::string CliPath() {
  const char* chosen = std::getenv("QUILLMOOR_CLI");
  return chosen != nullptr ? chosen : QUILLMOOR_CLI;
}

int Trials(int usual) {
  const char* asked = std::getenv("QUILLMOOR_TRIALS");
  return asked != nullptr ? std::atoi(asked) : usual;
}

pid_t Start(const std::string& program, const std::vector<std::string>& args) {
  std::vector<std::string> all{program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : all) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::runtime_error("cannot start " + program);
  return pid;
}

pid_t StartCli(const std::vector<std::string>& args) { return Start(CliPath(), args); }

int Wait(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

int RunCli(const std::vector<std::string>& args) { return Wait(StartCli(args)); }

bool CanTrace() { return std::system("strace -o /dev/null true >/dev/null 2>&1") == 0; }

}  // namespace quillmoor::testing
