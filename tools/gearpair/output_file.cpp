#include "tools/gearpair/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace gearmesh {

namespace {

// As the kernel allows when it follows symbolic links itself.
constexpr int MAX_LINK_HOPS = 40;
constexpr int HIDDEN_NAME_TRIES = 100;

// Signals whose default action ends the process and that a handler can catch:
// the named temporary file of the fallback is removed on each of them.
const int CLEANUP_SIGNALS[] = {SIGHUP,  SIGINT,  SIGQUIT, SIGTERM, SIGPIPE,
                               SIGALRM, SIGXFSZ, SIGXCPU, SIGUSR1, SIGUSR2};

// The named temporary file of the fallback, for the signal handler.
char temporaryName[PATH_MAX];
volatile sig_atomic_t temporaryNamed = 0;

std::string failure(const std::string& path, int errorNumber) {
    return "cannot write '" + path + "': " + std::strerror(errorNumber);
}

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

// The descriptor that path names when it is "-" or a name of an already
// open descriptor; -1 otherwise.
int namedDescriptor(const std::string& path) {
    if (path == "-" || path == "/dev/stdout") {
        return STDOUT_FILENO;
    }
    if (path == "/dev/stderr") {
        return STDERR_FILENO;
    }
    if (path == "/dev/stdin") {
        return STDIN_FILENO;
    }
    for (const char* folder : {"/dev/fd/", "/proc/self/fd/"}) {
        const std::size_t length = std::strlen(folder);
        if (path.compare(0, length, folder) != 0 || path.size() == length ||
            path.size() > length + 9) {
            continue;
        }
        int descriptor = 0;
        for (std::size_t i = length; i < path.size(); ++i) {
            if (path[i] < '0' || path[i] > '9') {
                return -1;
            }
            descriptor = descriptor * 10 + (path[i] - '0');
        }
        return descriptor;
    }
    return -1;
}

// Where writing path ends up: an open descriptor, or the path with every
// symbolic link at its end followed (the link itself is never replaced).
struct Target {
    int descriptor;    // >= 0 when path names an open descriptor
    std::string path;  // the last name reached, existing or not
};

bool resolveTarget(const std::string& path, Target& target, int& errorNumber) {
    target.path = path;
    for (int hop = 0; hop <= MAX_LINK_HOPS; ++hop) {
        // /dev/stdout is itself a link, to a /proc name that is not a path.
        target.descriptor = namedDescriptor(target.path);
        if (target.descriptor >= 0) {
            return true;
        }
        struct stat status;
        if (::lstat(target.path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return true;
        }
        char link[PATH_MAX];
        const ssize_t length = ::readlink(target.path.c_str(), link, sizeof link);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof link) {
            errorNumber = length < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const std::string next(link, static_cast<std::size_t>(length));
        target.path = next[0] == '/' ? next : directoryOf(target.path) + "/" + next;
    }
    errorNumber = ELOOP;
    return false;
}

bool writeDescriptor(int descriptor, const std::string& text, int& errorNumber) {
    if (::fcntl(descriptor, F_GETFD) < 0) {
        errorNumber = errno;
        return false;
    }
    if (!writeAll(descriptor, text)) {
        errorNumber = errno;
        return false;
    }
    return true;
}

// A device or FIFO: opened and written where it is, never truncated.
bool writeInPlace(const std::string& path, const std::string& text, int& errorNumber) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        errorNumber = errno;
        return false;
    }
    const bool written = writeAll(descriptor, text);
    errorNumber = errno;
    const bool closed = ::close(descriptor) == 0;
    if (written && !closed) {
        errorNumber = errno;
    }
    return written && closed;
}

// The replacement takes the old file's owner (only root may give a file away)
// and mode; a new file gets what a plain create gives it.
bool keepOwnerAndMode(int descriptor, const struct stat* old, int& errorNumber) {
    if (old == nullptr) {
        return true;
    }
    if (::geteuid() == 0 && ::fchown(descriptor, old->st_uid, old->st_gid) != 0) {
        errorNumber = errno;
        return false;
    }
    // After fchown, which clears the set-id bits.
    if (::fchmod(descriptor, old->st_mode & 07777) != 0) {
        errorNumber = errno;
        return false;
    }
    return true;
}

// A name in folder that is not yet taken, beginning with ".gearpair-".
std::string hiddenName(const std::string& folder, unsigned attempt) {
    struct timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    unsigned long mix = static_cast<unsigned long>(now.tv_nsec) ^
                        (static_cast<unsigned long>(::getpid()) << 20) ^ (attempt * 2654435761UL);
    const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = folder + "/.gearpair-";
    for (int i = 0; i < 6; ++i) {
        name += letters[mix % 62];
        mix /= 62;
    }
    return name;
}

void removeTemporaryAndDie(int signalNumber) {
    if (temporaryNamed) {
        ::unlink(temporaryName);
    }
    // Delivered when the handler returns, with the default action.
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

// Installing twice puts the same handler in place again: a signal the
// caller left ignored stays ignored, one already handled keeps the handler.
void installCleanupHandlers() {
    for (const int signalNumber : CLEANUP_SIGNALS) {
        struct sigaction previous;
        ::sigaction(signalNumber, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN) {
            continue;  // left ignored, as the caller asked (nohup)
        }
        struct sigaction action;
        std::memset(&action, 0, sizeof action);
        action.sa_handler = removeTemporaryAndDie;
        sigfillset(&action.sa_mask);
        ::sigaction(signalNumber, &action, nullptr);
    }
}

// Blocks every signal a handler could catch while it lives, so that a file
// given its name is also handed to the target before anything can end the
// process; SIGKILL alone remains.
class SignalsHeld {
   public:
    SignalsHeld() {
        sigset_t all;
        sigfillset(&all);
        ::sigprocmask(SIG_BLOCK, &all, &previous_);
    }
    ~SignalsHeld() {
        ::sigprocmask(SIG_SETMASK, &previous_, nullptr);
    }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

   private:
    sigset_t previous_;
};

// Where the filesystem has no unnamed files: a named temporary file that the
// handlers above remove if a signal ends the process before the rename.
bool replaceThroughNamedFile(const std::string& path, const struct stat* old,
                             const std::string& text, int& errorNumber) {
    const std::string pattern = directoryOf(path) + "/.gearpair-XXXXXX";
    if (pattern.size() >= sizeof temporaryName) {
        errorNumber = ENAMETOOLONG;
        return false;
    }
    installCleanupHandlers();
    int descriptor = -1;
    {
        SignalsHeld held;
        std::memcpy(temporaryName, pattern.c_str(), pattern.size() + 1);
        descriptor = ::mkstemp(temporaryName);
        errorNumber = errno;
        temporaryNamed = descriptor >= 0;
    }
    if (descriptor < 0) {
        return false;
    }
    // mkstemp makes the file private; a new file gets the mode a plain create would.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    bool done = true;
    if (old != nullptr) {
        done = keepOwnerAndMode(descriptor, old, errorNumber);
    } else if (::fchmod(descriptor, 0666 & ~mask) != 0) {
        errorNumber = errno;
        done = false;
    }
    if (done && !writeAll(descriptor, text)) {
        errorNumber = errno;
        done = false;
    }
    if (::close(descriptor) != 0 && done) {
        errorNumber = errno;
        done = false;
    }
    SignalsHeld held;
    if (done && ::rename(temporaryName, path.c_str()) != 0) {
        errorNumber = errno;
        done = false;
    }
    if (!done) {
        ::unlink(temporaryName);
    }
    temporaryNamed = 0;
    return done;
}

// Writes an unnamed file in the target's folder and gives it the target's
// name only once it is complete: a process that dies before leaves nothing.
bool replaceFile(const std::string& path, const struct stat* old, const std::string& text,
                 int& errorNumber) {
    const std::string folder = directoryOf(path);
    const int descriptor = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        errorNumber = errno;
        // The filesystem (or an old kernel) has no unnamed files.
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
            return replaceThroughNamedFile(path, old, text, errorNumber);
        }
        return false;
    }
    bool done = keepOwnerAndMode(descriptor, old, errorNumber);
    if (done && !writeAll(descriptor, text)) {
        errorNumber = errno;
        done = false;
    }
    if (done) {
        const std::string unnamed = "/proc/self/fd/" + std::to_string(descriptor);
        SignalsHeld held;
        if (old == nullptr) {
            if (::linkat(AT_FDCWD, unnamed.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) !=
                0) {
                errorNumber = errno;
                done = false;
            }
        } else {
            // link() never replaces a name; rename() does, atomically.
            std::string hidden;
            int linked = -1;
            for (unsigned attempt = 0; attempt < HIDDEN_NAME_TRIES && linked != 0; ++attempt) {
                hidden = hiddenName(folder, attempt);
                linked = ::linkat(AT_FDCWD, unnamed.c_str(), AT_FDCWD, hidden.c_str(),
                                  AT_SYMLINK_FOLLOW);
                if (linked != 0 && errno != EEXIST) {
                    break;
                }
            }
            if (linked != 0) {
                errorNumber = errno;
                done = false;
            } else if (::rename(hidden.c_str(), path.c_str()) != 0) {
                errorNumber = errno;
                ::unlink(hidden.c_str());
                done = false;
            }
        }
    }
    if (::close(descriptor) != 0 && done) {
        errorNumber = errno;
        done = false;
    }
    return done;
}

}  // namespace

bool writtenInPlace(const std::string& path) {
    Target target;
    int errorNumber = 0;
    if (!resolveTarget(path, target, errorNumber)) {
        return false;
    }
    struct stat status;
    return target.descriptor >= 0 || (::stat(target.path.c_str(), &status) == 0 &&
                                      !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode));
}

bool writeOutput(const std::string& path, const std::string& text, std::string& error) {
    const std::string shownName = path == "-" ? "standard output" : "'" + path + "'";
    int errorNumber = 0;
    Target target;
    if (path.empty()) {
        error = "cannot write '': no file name";
        return false;
    }
    if (!resolveTarget(path, target, errorNumber)) {
        error = failure(path, errorNumber);
        return false;
    }
    if (target.descriptor >= 0) {
        std::fflush(nullptr);
        if (!writeDescriptor(target.descriptor, text, errorNumber)) {
            error = "cannot write " + shownName + ": " + std::strerror(errorNumber);
            return false;
        }
        return true;
    }
    struct stat existing;
    const bool exists = ::stat(target.path.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) {
        error = failure(path, errno);
        return false;
    }
    bool written = false;
    if (!exists) {
        written = replaceFile(target.path, nullptr, text, errorNumber);
    } else if (S_ISDIR(existing.st_mode)) {
        errorNumber = EISDIR;
    } else if (!S_ISREG(existing.st_mode)) {
        written = writeInPlace(target.path, text, errorNumber);
    } else if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
        // Replacing would need only the folder; the file's own mode says no.
        errorNumber = errno;
    } else {
        written = replaceFile(target.path, &existing, text, errorNumber);
    }
    if (!written) {
        error = failure(path, errorNumber);
    }
    return written;
}

}  // namespace gearmesh
