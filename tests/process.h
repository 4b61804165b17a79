// Runs a program as a child process and collects what it leaves behind.
#ifndef HOSTLABEL_TESTS_PROCESS_H
#define HOSTLABEL_TESTS_PROCESS_H

#include <functional>
#include <string>
#include <vector>

enum class Output {
    Captured,  // standard output is read into ProcessResult::out
    Closed,    // the child starts with standard output closed
    Broken,    // standard output is a pipe nobody reads: writes fail
};

struct ProcessResult {
    std::string out;
    std::string err;
    int status;  // the exit status, or 128 plus the number of the signal that ended it
};

// argv[0] is the path of the program. extra_env is added to this process's
// environment as NAME=value entries.
ProcessResult RunProcess(const std::vector<std::string> &argv, const std::vector<std::string> &extra_env = {},
                         Output output = Output::Captured);

// Runs child in a forked copy of this process, which ends with the value it
// returns, and gives the copy's wait status.
int WaitStatusOfChild(const std::function<int()> &child);

std::string ReadFile(const std::string &path);
void WriteFile(const std::string &path, const std::string &content);

// A fresh directory under the system's temporary folder, removed with all
// it holds when the value goes out of scope.
struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    std::string path;
};

// Names in a directory, without . and .., sorted.
std::vector<std::string> ListDir(const std::string &path);

#endif
