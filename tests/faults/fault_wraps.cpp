// Makes one step of the host-name file's replacement fail, on request.
// Linked with -Wl,--wrap for each call below, so the layer's own calls come
// here first; nothing of this reaches the product. Only the calls on the
// replacement's own directory and new file are touched, so a test's other
// files and pipes work as usual.
//
// HOSTLABEL_FAULT=STEP=ACTION, read at every call:
//   STEP    open-directory, create, write, chmod, flush, close, rename,
//           flush-directory
//   ACTION  N            the call fails with errno N
//   short    the first write takes one byte only, the rest go through
//   short,N  the first write takes one byte, the next fails with errno N
//   zero     the write takes nothing and reports no error
//   kill-before, kill-after  the process is killed just before or after it
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

extern "C" {
int __real_open(const char *path, int flags, ...);
int __real_openat(int dirfd, const char *path, int flags, ...);
ssize_t __real_write(int fd, const void *data, size_t size);
int __real_fchmod(int fd, mode_t mode);
int __real_fsync(int fd);
int __real_close(int fd);
int __real_renameat(int olddirfd, const char *oldpath, int newdirfd, const char *newpath);
int __real_fcntl(int fd, int command, ...);
}

namespace {

int directory_fd = -1;
int new_file_fd = -1;
int writes_seen = 0;

// The action armed for this step, or an empty string.
std::string ActionFor(const char *step) {
    const char *fault = std::getenv("HOSTLABEL_FAULT");
    const std::size_t length = std::strlen(step);
    if (fault == nullptr || std::strncmp(fault, step, length) != 0 || fault[length] != '=') {
        return "";
    }
    return fault + length + 1;
}

// Carries out an errno or kill-before action. True when the call is to fail.
bool FailsBefore(const std::string &action) {
    if (action == "kill-before") {
        std::raise(SIGKILL);
    }
    if (!action.empty() && action[0] >= '0' && action[0] <= '9') {
        errno = std::atoi(action.c_str());
        return true;
    }
    return false;
}

template <typename Result>
Result After(const std::string &action, Result result) {
    if (action == "kill-after") {
        std::raise(SIGKILL);
    }
    return result;
}

}  // namespace

extern "C" int __wrap_open(const char *path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) != 0 ? static_cast<mode_t>(va_arg(args, int)) : 0;
    va_end(args);
    if ((flags & O_DIRECTORY) == 0) {
        return __real_open(path, flags, mode);
    }
    const std::string action = ActionFor("open-directory");
    if (FailsBefore(action)) {
        return -1;
    }
    directory_fd = __real_open(path, flags, mode);
    return After(action, directory_fd);
}

extern "C" int __wrap_openat(int dirfd, const char *path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) != 0 ? static_cast<mode_t>(va_arg(args, int)) : 0;
    va_end(args);
    if (dirfd != directory_fd || (flags & O_CREAT) == 0) {
        return __real_openat(dirfd, path, flags, mode);
    }
    const std::string action = ActionFor("create");
    if (FailsBefore(action)) {
        return -1;
    }
    new_file_fd = __real_openat(dirfd, path, flags, mode);
    writes_seen = 0;
    return After(action, new_file_fd);
}

extern "C" ssize_t __wrap_write(int fd, const void *data, size_t size) {
    if (fd != new_file_fd) {
        return __real_write(fd, data, size);
    }
    const std::string action = ActionFor("write");
    const int seen = writes_seen++;
    if (action.rfind("short", 0) == 0) {
        if (seen == 0) {
            return __real_write(fd, data, size > 1 ? 1 : size);
        }
        if (action.size() > 6 && FailsBefore(action.substr(6))) {
            return -1;
        }
        return __real_write(fd, data, size);
    }
    if (action == "zero") {
        return 0;
    }
    if (FailsBefore(action)) {
        return -1;
    }
    return After(action, __real_write(fd, data, size));
}

extern "C" int __wrap_fchmod(int fd, mode_t mode) {
    if (fd != new_file_fd) {
        return __real_fchmod(fd, mode);
    }
    const std::string action = ActionFor("chmod");
    if (FailsBefore(action)) {
        return -1;
    }
    return After(action, __real_fchmod(fd, mode));
}

extern "C" int __wrap_fsync(int fd) {
    const char *step = fd == new_file_fd ? "flush" : fd == directory_fd ? "flush-directory" : nullptr;
    if (step == nullptr) {
        return __real_fsync(fd);
    }
    const std::string action = ActionFor(step);
    if (FailsBefore(action)) {
        return -1;
    }
    return After(action, __real_fsync(fd));
}

extern "C" int __wrap_close(int fd) {
    if (fd != new_file_fd) {
        if (fd == directory_fd) {
            directory_fd = -1;
        }
        return __real_close(fd);
    }
    new_file_fd = -1;
    const std::string action = ActionFor("close");
    if (action == "kill-before") {
        std::raise(SIGKILL);
    }
    // A failing close still releases the descriptor, as on Linux.
    const int result = __real_close(fd);
    if (FailsBefore(action)) {
        return -1;
    }
    return After(action, result);
}

extern "C" int __wrap_renameat(int olddirfd, const char *oldpath, int newdirfd, const char *newpath) {
    if (olddirfd != directory_fd) {
        return __real_renameat(olddirfd, oldpath, newdirfd, newpath);
    }
    const std::string action = ActionFor("rename");
    if (FailsBefore(action)) {
        return -1;
    }
    return After(action, __real_renameat(olddirfd, oldpath, newdirfd, newpath));
}

// The new file may be moved to another number; follow it.
extern "C" int __wrap_fcntl(int fd, int command, ...) {
    va_list args;
    va_start(args, command);
    const long argument = va_arg(args, long);
    va_end(args);
    const int result = __real_fcntl(fd, command, argument);
    if (fd == new_file_fd && result >= 0 && (command == F_DUPFD || command == F_DUPFD_CLOEXEC)) {
        new_file_fd = result;
    }
    return result;
}
