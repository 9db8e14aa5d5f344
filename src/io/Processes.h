// The processes that write Quillmoor's temporary files and journals: this one, and whether
// another one still runs, so that a run takes over only what a process that ended left.
#pragma once

namespace quillmoor {

long CurrentProcessId();

// Whether process pid has ended, or never ran.
bool ProcessIsGone(long pid);

}  // namespace quillmoor
