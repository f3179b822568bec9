#pragma once

// The signals of the program's process, set first thing at start-up.
namespace ProcessSignals {

// A write that would take a file beyond the size limit set for the process (a quota, some
// shares, `ulimit -f`) fails (EFBIG) and is reported like a full disk, instead of the system
// ending the program (SIGXFSZ ignored).
void prepare();

} // namespace ProcessSignals
