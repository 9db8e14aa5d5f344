// Starting quillmoor-cli, or strace running it, as a process of its own, for the process tests.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace quillmoor::testing {

// The quillmoor-cli under test: QUILLMOOR_CLI in the environment, else this build's.
std::string CliPath();

// The number of trials: usual, or QUILLMOOR_TRIALS when it is set, for a longer run by hand.
int Trials(int usual);

// Starts program with args, its output thrown away; gives its process.
pid_t Start(const std::string& program, const std::vector<std::string>& args);
pid_t StartCli(const std::vector<std::string>& args);

// Waits for the process; gives its exit status, or minus the signal that ended it.
int Wait(pid_t pid);
int RunCli(const std::vector<std::string>& args);

// Whether strace can follow a program here.
bool CanTrace();

}  // namespace quillmoor::testing
