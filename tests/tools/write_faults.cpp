// Preloaded into gearpair by its tests (LD_PRELOAD) to bring about, on cue,
// what a machine does only now and then:
//   GEARPAIR_FAULT_SIGNAL=N       the first write to a regular file writes half
//                                 its bytes, then raises signal N: the process
//                                 is killed in the middle of writing its output
//   GEARPAIR_FAULT_NO_TMPFILE=1   open(..., O_TMPFILE) fails with EOPNOTSUPP, as
//                                 on a filesystem without unnamed files
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdarg>
#include <cstdlib>

namespace {

using WriteFunction = ssize_t (*)(int, const void*, size_t);
using OpenFunction = int (*)(const char*, int, ...);

int openThrough(const char* name, const char* path, int flags, mode_t mode) {
    if ((flags & O_TMPFILE) == O_TMPFILE && std::getenv("GEARPAIR_FAULT_NO_TMPFILE") != nullptr) {
        errno = EOPNOTSUPP;
        return -1;
    }
    const auto real = reinterpret_cast<OpenFunction>(dlsym(RTLD_NEXT, name));
    return real(path, flags, mode);
}

mode_t modeArgument(int flags, va_list arguments) {
    const bool hasMode = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    return hasMode ? static_cast<mode_t>(va_arg(arguments, int)) : 0;
}

}  // namespace

extern "C" ssize_t write(int descriptor, const void* bytes, size_t count) {
    const auto real = reinterpret_cast<WriteFunction>(dlsym(RTLD_NEXT, "write"));
    const char* signalText = std::getenv("GEARPAIR_FAULT_SIGNAL");
    struct stat status;
    if (signalText != nullptr && count > 1 && fstat(descriptor, &status) == 0 &&
        S_ISREG(status.st_mode)) {
        const ssize_t half = real(descriptor, bytes, count / 2);
        raise(std::atoi(signalText));
        return half;
    }
    return real(descriptor, bytes, count);
}

extern "C" int open(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return openThrough("open", path, flags, mode);
}

extern "C" int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return openThrough("open64", path, flags, mode);
}
