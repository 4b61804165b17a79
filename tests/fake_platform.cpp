// Stands in for the computer-name calls so that the command's own logic can
// be run for every outcome of them. Driven by the environment:
//   HOSTLABEL_FAKE_NAME       the name the query returns; unset, the query fails
//   HOSTLABEL_FAKE_SET_ERRNO  when set, the rename request fails with this errno
//   HOSTLABEL_FAKE_LOG        file that receives one line per call
#include "platform/computer_name.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Log(const std::string &line) {
    const char *path = std::getenv("HOSTLABEL_FAKE_LOG");
    if (path == nullptr) {
        return;
    }
    if (std::FILE *log = std::fopen(path, "ab")) {
        std::fwrite(line.data(), 1, line.size(), log);
        std::fclose(log);
    }
}

}  // namespace

extern "C" BOOL GetComputerNameA(LPSTR lpBuffer, LPDWORD nSize) {
    Log("query size=" + std::to_string(*nSize) + "\n");
    const char *name = std::getenv("HOSTLABEL_FAKE_NAME");
    if (name == nullptr) {
        errno = EIO;
        return 0;
    }
    const std::size_t length = std::strlen(name);
    if (length + 1 > *nSize) {
        *nSize = static_cast<DWORD>(length + 1);
        errno = ENAMETOOLONG;
        return 0;
    }
    std::memcpy(lpBuffer, name, length + 1);
    *nSize = static_cast<DWORD>(length);
    return 1;
}

extern "C" BOOL SetComputerNameExA(COMPUTER_NAME_FORMAT NameType, LPCSTR lpBuffer) {
    // The length is written out so that names with blanks or odd bytes are
    // compared exactly.
    Log("rename format=" + std::to_string(static_cast<int>(NameType)) + " name[" +
        std::to_string(std::strlen(lpBuffer)) + "]=" + lpBuffer + "\n");
    if (const char *fail = std::getenv("HOSTLABEL_FAKE_SET_ERRNO")) {
        errno = std::atoi(fail);
        return 0;
    }
    return 1;
}

std::string LastErrorMessage() {
    return std::strerror(errno);
}
