#include "tools/gearpair/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int descriptor, const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(descriptor, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool writeOutput(const std::string& path, const std::string& text, std::string& error) {
    if (path.empty() || path == "-") {
        std::fflush(stdout);
        if (!writeAll(STDOUT_FILENO, text)) {
            error = std::string("cannot write standard output: ") + std::strerror(errno);
            return false;
        }
        return true;
    }
    struct stat existing;
    if (::stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        error = "cannot write '" + path + "': it is a directory";
        return false;
    }
    std::string pattern = directoryOf(path) + "/.gearpair-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    // mkstemp makes the file private; give it the mode a plain create would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(descriptor, 0666 & ~mask);
    const bool written = writeAll(descriptor, text);
    const int writeErrno = errno;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed) {
        ::unlink(name.data());
        error = "cannot write '" + path + "': " + std::strerror(written ? errno : writeErrno);
        return false;
    }
    if (::rename(name.data(), path.c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(name.data());
        error = "cannot write '" + path + "': " + std::strerror(renameErrno);
        return false;
    }
    return true;
}
