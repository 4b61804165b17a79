// The two operating-system calls the command makes, plus the text of the
// last error. On Windows they are kernel32's own; elsewhere this project
// supplies them with the same C signatures, so the entry file reads the same
// on every platform.
#ifndef HOSTLABEL_PLATFORM_COMPUTER_NAME_H
#define HOSTLABEL_PLATFORM_COMPUTER_NAME_H

#include <string>

#ifdef _WIN32

#include <windows.h>

#else

#include <cstdint>

using BOOL = int;
using DWORD = std::uint32_t;
using LPSTR = char *;
using LPCSTR = const char *;
using LPDWORD = DWORD *;

// Only the value the command uses is given; it keeps the number Windows
// gives it so that a recorded request means the same on both platforms.
enum COMPUTER_NAME_FORMAT : int { ComputerNamePhysicalDnsHostname = 5 };

extern "C" {
// Copies the running host name, NUL-terminated, into lpBuffer, which holds
// *nSize bytes. Returns non-zero and sets *nSize to the name's length on
// success; returns zero (errno set) when the name cannot be read or does not
// fit, then *nSize is the size needed where that is known.
BOOL GetComputerNameA(LPSTR lpBuffer, LPDWORD nSize);

// Makes lpBuffer the host name the machine boots with. Returns non-zero on
// success; zero with errno set when the format is not
// ComputerNamePhysicalDnsHostname, the name is not a valid host name, or the
// name could not be stored.
BOOL SetComputerNameExA(COMPUTER_NAME_FORMAT NameType, LPCSTR lpBuffer);
}

#endif

// The operating system's own words for the error left by the last failed
// call, on one line.
std::string LastErrorMessage();

#endif
