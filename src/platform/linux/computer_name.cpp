// The computer-name calls on Linux: the running host name is read as it
// is, and a new name is stored for the next boot in /etc/hostname.
#include "../computer_name.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include <unistd.h>

#include "host_name_file.h"

extern "C" BOOL GetComputerNameA(LPSTR lpBuffer, LPDWORD nSize) {
    if (lpBuffer == nullptr || nSize == nullptr) {
        errno = EINVAL;
        return 0;
    }
    char host[HOST_NAME_MAX + 1];
    if (gethostname(host, sizeof host) != 0) {
        return 0;
    }
    // gethostname need not terminate a name it had to cut.
    host[HOST_NAME_MAX] = '\0';
    const std::size_t length = std::strlen(host);
    if (length + 1 > *nSize) {
        *nSize = static_cast<DWORD>(length + 1);
        errno = ENAMETOOLONG;
        return 0;
    }
    std::memcpy(lpBuffer, host, length + 1);
    *nSize = static_cast<DWORD>(length);
    return 1;
}

extern "C" BOOL SetComputerNameExA(COMPUTER_NAME_FORMAT NameType, LPCSTR lpBuffer) {
    if (NameType != ComputerNamePhysicalDnsHostname || lpBuffer == nullptr) {
        errno = EINVAL;
        return 0;
    }
    // The running name stays as it is: like on Windows, the new one is the
    // name the machine comes up with after the reboot the notice asks for.
    return ReplaceHostNameFile("/etc", lpBuffer) == 0;
}

std::string LastErrorMessage() {
    return std::strerror(errno);
}
