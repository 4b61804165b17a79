// Runs Hostlabel.exe under Wine with exact command lines, the way a Windows
// shell or script would start it, and compares every byte it writes, its
// exit code and the name the system was asked to take.
//
// usage: wine_cases HOSTLABEL_EXE command-lines|refused
//
// All cases of a group run in this one process, so in one Wine session:
// Wine sets the computer name afresh each time a session starts.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kParameters[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const std::string kUsage =
    "USAGE: Hostlabel ComputerName\r\n"
    "Sets this computer's host name to ComputerName; the change takes effect after a reboot.\r\n"
    "\r\n";
const std::string kNotice = "Please reboot for computer name change to take effect...\r\n";
const DWORD kMinusOne = 4294967295u;

struct Case {
    const char *label;
    const char *arguments;  // the command line after the program's own name, as typed
    std::string out;        // after the report of the current name
    std::string err;
    DWORD exit_code;
    const char *requested;  // the name the system holds afterwards; nullptr: as before
};

// clang-format off
const Case kCommandLines[] = {
    {"no argument", "", kUsage, "", kMinusOne, nullptr},
    {"two arguments", " new-host extra", kUsage, "", kMinusOne, nullptr},
    {"quoted blank makes one of two arguments", " \"new host\" extra", kUsage, "", kMinusOne, nullptr},
    {"one plain name", " new-host", kNotice, "", 0, "new-host"},
    {"double-quoted name holding a blank", " \"new host\"", kNotice, "", 0, "new host"},
    {"tab inside double quotes", " \"new\thost\"", kNotice, "", 0, "new\thost"},
    {"backslash-escaped double quote", " a\\\"b", kNotice, "", 0, "a\"b"},
    {"backslashes not before a quote kept", " a\\\\b", kNotice, "", 0, "a\\\\b"},
    {"doubled backslash before a closing quote", " \"a\\\\\"", kNotice, "", 0, "a\\"},
    {"empty pair of double quotes", " \"\"", kNotice, "", 0, ""},
    {"lone asterisk beside files", " *", kNotice, "", 0, "*"},
    {"wildcard pattern matching files", " *.txt", kNotice, "", 0, "*.txt"},
    {"question mark wildcard", " ?.txt", kNotice, "", 0, "?.txt"},
    {"same name again before a reboot", " new-host", kNotice, "", 0, "new-host"},
};
// clang-format on

// Wine records the requested name before it refuses it, so the request is
// seen to have been made although it failed.
// clang-format off
const Case kRefused[] = {
    {"refused rename", " new-host", "", "Could not change the computer name: Access denied.\r\n", 1, "new-host"},
    {"refused rename of an empty name", " \"\"", "", "Could not change the computer name: Access denied.\r\n", 1,
     ""},
    {"usage unaffected by the refusal", "", kUsage, "", kMinusOne, nullptr},
};
// clang-format on

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 2];
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name) : std::string("(query failed)");
}

std::string RequestedName() {
    char value[1024];
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kParameters, "Hostname", RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return "(no value)";
    }
    return value;
}

std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    return text;
}

struct Run {
    std::string out;
    std::string err;
    DWORD exit_code;
};

// The command line goes to CreateProcessA byte for byte; the program's
// start-up splits it exactly as it would on Windows.
bool Start(const std::string &program, const std::string &command_line, const std::string &folder, Run &run) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out_read, out_write, err_read, err_write;
    if (!CreatePipe(&out_read, &out_write, &inherit, 0) || !CreatePipe(&err_read, &err_write, &inherit, 0)) {
        return false;
    }
    SetHandleInformation(out_read, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(err_read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = out_write;
    start.hStdError = err_write;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(command_line.begin(), command_line.end());
    line.push_back('\0');
    const BOOL started = CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.c_str(), &start, &process);
    CloseHandle(out_write);
    CloseHandle(err_write);
    if (started) {
        // The program writes a few lines at most, well inside a pipe's
        // buffer, so reading one pipe to its end before the other is safe.
        run.out = ReadAll(out_read);
        run.err = ReadAll(err_read);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &run.exit_code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(out_read);
    CloseHandle(err_read);
    return started;
}

std::string Shown(const std::string &text) {
    std::string shown;
    for (const char c : text) {
        char escaped[8];
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) {
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return "\"" + shown + "\"";
}

int failures = 0;

void Expect(const char *label, const char *what, const std::string &got, const std::string &wanted, bool &ok) {
    if (got != wanted) {
        std::printf("  %s: %s is %s, expected %s\n", label, what, Shown(got).c_str(), Shown(wanted).c_str());
        ok = false;
    }
}

void RunCase(const std::string &program, const std::string &folder, const Case &c) {
    const std::string before = RequestedName();
    const std::string current = ComputerName();
    // The program's own name is quoted as a shell would quote a path.
    const std::string command_line = "\"" + program + "\"" + c.arguments;
    Run run = {"", "", 0};
    bool ok = Start(program, command_line, folder, run);
    if (!ok) {
        std::printf("  %s: CreateProcessA failed with %lu\n", c.label, GetLastError());
    } else {
        Expect(c.label, "standard output", run.out, "Current computer name: " + current + "\r\n\r\n" + c.out, ok);
        Expect(c.label, "standard error", run.err, c.err, ok);
        Expect(c.label, "exit code", std::to_string(run.exit_code), std::to_string(c.exit_code), ok);
        Expect(c.label, "requested name", RequestedName(), c.requested != nullptr ? c.requested : before, ok);
    }
    std::printf("%s - %s\n", ok ? "ok" : "FAIL", c.label);
    failures += ok ? 0 : 1;
}

// A folder of files for wildcards to match, so an expansion would show.
std::string FolderWithFiles() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    const std::string folder = std::string(base) + "hostlabel-wildcards-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char *name : {"a.txt", "b.txt", "new-host"}) {
        HANDLE file = CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(file);
    }
    return folder;
}

void RemoveFolder(const std::string &folder) {
    for (const char *name : {"a.txt", "b.txt", "new-host"}) {
        DeleteFileA((folder + "\\" + name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

// Wine refuses a new DNS host name when told not to use DNS names.
bool RefuseRenames() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Network", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG set = RegSetValueExA(key, "UseDnsComputerName", 0, REG_SZ, reinterpret_cast<const BYTE *>("N"), 2);
    RegCloseKey(key);
    return set == ERROR_SUCCESS;
}

}  // namespace

int main(int argc, char *argv[]) {
    if (argc != 3) {
        std::printf("usage: wine_cases HOSTLABEL_EXE command-lines|refused\n");
        return 2;
    }
    char full[MAX_PATH];
    if (GetFullPathNameA(argv[1], sizeof full, full, nullptr) == 0) {
        std::printf("cannot find %s\n", argv[1]);
        return 2;
    }
    const std::string group = argv[2];
    std::vector<Case> cases;
    if (group == "command-lines") {
        cases.assign(std::begin(kCommandLines), std::end(kCommandLines));
    } else if (group == "refused") {
        if (!RefuseRenames()) {
            std::printf("cannot set UseDnsComputerName\n");
            return 2;
        }
        cases.assign(std::begin(kRefused), std::end(kRefused));
    } else {
        std::printf("unknown group %s\n", group.c_str());
        return 2;
    }

    const std::string folder = FolderWithFiles();
    for (const Case &c : cases) {
        RunCase(full, folder, c);
    }
    RemoveFolder(folder);
    std::printf("%d passed, %d failed\n", static_cast<int>(cases.size()) - failures, failures);
    return failures == 0 ? 0 : 1;
}
