#include "host_name_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsLabelCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// Keeps errno as the first failure left it while cleanup calls run.
void CloseKeepingErrno(int fd) {
    const int saved = errno;
    close(fd);
    errno = saved;
}

void UnlinkKeepingErrno(int directory, const char *name) {
    const int saved = errno;
    unlinkat(directory, name, 0);
    errno = saved;
}

int WriteAll(int fd, const std::string &text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            // A regular file that takes nothing would loop for ever.
            errno = EIO;
            return -1;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// A name of our own beside the target, so the final rename stays inside one
// file system and cannot collide with another writer's file.
int CreateNewFile(int directory, char *temp_name, std::size_t temp_size) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        (void)std::snprintf(temp_name, temp_size, ".hostname.%ld.%d", static_cast<long>(getpid()), attempt);
        const int fd = openat(directory, temp_name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// With standard output or error closed the new file would get their number,
// and a late flush of a standard stream would land in the host name.
int AwayFromStandardStreams(int fd) {
    if (fd > STDERR_FILENO) {
        return fd;
    }
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    CloseKeepingErrno(fd);
    return moved;
}

}  // namespace

bool IsValidHostName(const char *name) {
    const std::size_t length = std::strlen(name);
    if (length == 0 || length > 64) {
        return false;
    }
    std::size_t label = 0;
    for (std::size_t i = 0; i <= length; ++i) {
        const char c = name[i];
        if (c == '.' || c == '\0') {
            if (label == 0 || label > 63 || name[i - 1] == '-') {
                return false;
            }
            label = 0;
            continue;
        }
        if (!IsLabelCharacter(c) || (label == 0 && c == '-')) {
            return false;
        }
        ++label;
    }
    return true;
}

int ReplaceHostNameFile(const char *directory, const char *name) {
    if (!IsValidHostName(name)) {
        errno = EINVAL;
        return -1;
    }
    const std::string content = std::string(name) + "\n";

    const int dir = open(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        return -1;
    }
    char temp_name[64];
    int fd = CreateNewFile(dir, temp_name, sizeof temp_name);
    if (fd < 0) {
        CloseKeepingErrno(dir);
        return -1;
    }
    fd = AwayFromStandardStreams(fd);
    if (fd < 0) {
        UnlinkKeepingErrno(dir, temp_name);
        CloseKeepingErrno(dir);
        return -1;
    }

    // The mode is set before the flush so that the flush covers it too.
    if (WriteAll(fd, content) != 0 || fchmod(fd, 0644) != 0 || fsync(fd) != 0) {
        CloseKeepingErrno(fd);
        UnlinkKeepingErrno(dir, temp_name);
        CloseKeepingErrno(dir);
        return -1;
    }
    if (close(fd) != 0 || renameat(dir, temp_name, dir, "hostname") != 0) {
        UnlinkKeepingErrno(dir, temp_name);
        CloseKeepingErrno(dir);
        return -1;
    }
    // Without this the rename itself may not survive a power cut.
    if (fsync(dir) != 0) {
        CloseKeepingErrno(dir);
        return -1;
    }
    close(dir);
    return 0;
}
