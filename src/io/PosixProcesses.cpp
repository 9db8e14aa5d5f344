#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "io/Processes.h"

namespace quillmoor {

long CurrentProcessId() { return static_cast<long>(::getpid()); }

bool ProcessIsGone(long pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

}  // namespace quillmoor
