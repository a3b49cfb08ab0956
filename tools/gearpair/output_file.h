#pragma once

#include <string>

namespace gearmesh {

// How gearpair writes what it makes. "-", "/dev/stdout", "/dev/stderr",
// "/dev/fd/N" and "/proc/self/fd/N" name a descriptor that is already open:
// the text is written to it, nothing is reopened or truncated. Any other
// existing target that is not a regular file (a device, a FIFO) is opened and
// written in place. A regular file is replaced atomically by a new file that
// keeps its mode (and, for root, its owner); a symbolic link is followed and
// the file it points to is replaced. No temporary file survives the process,
// however it ends.

// True when path is written in place rather than replaced: "-", a name of an
// open descriptor, or an existing target that is neither a regular file nor a
// directory (symbolic links followed).
bool writtenInPlace(const std::string& path);

// Writes text to path as described above. Returns false with one line naming
// the file and the system's reason in error (a read-only file the user may
// not write, a directory, a missing folder, a write or close that failed).
bool writeOutput(const std::string& path, const std::string& text, std::string& error);

}  // namespace gearmesh
