// Writing a file whole or not at all, so that a save that fails or is cut
// short never leaves a half-written file where a good one was.
#pragma once

#include <span>
#include <string>

// Replaces the contents of the file at `path` with `chunks`, one write each:
// they go to a new temporary file in the same directory, which is flushed to
// disk and then renamed over the file. A path that is a symbolic link is
// written through to the file it names. The new file keeps the old one's
// permissions (a new one gets the usual ones); an existing file that this
// process may not write to is left alone, as are directories and devices.
//
// False on any failure, with `error` set to the errno value of the step
// that failed: the old file is then exactly as it was and no temporary file
// is left behind.
bool WriteFileAtomically(const char* path, std::span<const std::string> chunks, int& error);

// A test's hook into the steps of WriteFileAtomically, called before each
// with its number: 1 to N the writes of the N chunks, N + 1 the flush to
// disk, N + 2 the rename. A result other than 0 fails the step with that
// errno value. Null in the programs.
using AtomicWriteFault = int (*)(int step);
extern AtomicWriteFault atomicWriteFault;
