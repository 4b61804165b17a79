#include "process.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

[[noreturn]] void Fail(const std::string &what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string> &argv, const std::vector<std::string> &extra_env,
                         Output output) {
    int out_pipe[2];
    int err_pipe[2];
    if (pipe2(out_pipe, O_CLOEXEC) != 0 || pipe2(err_pipe, O_CLOEXEC) != 0) {
        Fail("pipe");
    }
    if (output == Output::Broken) {
        // Closed before the child starts, so its very first write fails.
        close(out_pipe[0]);
        out_pipe[0] = -1;
    }

    std::vector<std::string> env;
    for (char **e = environ; *e != nullptr; ++e) {
        env.emplace_back(*e);
    }
    env.insert(env.end(), extra_env.begin(), extra_env.end());
    std::vector<char *> env_ptrs;
    for (auto &e : env) {
        env_ptrs.push_back(e.data());
    }
    env_ptrs.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char *> arg_ptrs;
    for (auto &a : args) {
        arg_ptrs.push_back(a.data());
    }
    arg_ptrs.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) {
        Fail("fork");
    }
    if (pid == 0) {
        if (output == Output::Closed) {
            close(STDOUT_FILENO);
        } else {
            dup2(out_pipe[1], STDOUT_FILENO);
        }
        dup2(err_pipe[1], STDERR_FILENO);
        execve(arg_ptrs[0], arg_ptrs.data(), env_ptrs.data());
        _exit(127);
    }
    close(out_pipe[1]);
    close(err_pipe[1]);

    ProcessResult result{"", "", -1};
    struct pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    std::string *sinks[2] = {&result.out, &result.err};
    int open_count = (out_pipe[0] >= 0) + 1;
    while (open_count > 0) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail("poll");
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open_count;
            }
        }
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            Fail("waitpid");
        }
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

int WaitStatusOfChild(const std::function<int()> &child) {
    const pid_t pid = fork();
    if (pid < 0) {
        Fail("fork");
    }
    if (pid == 0) {
        _exit(child());
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            Fail("waitpid");
        }
    }
    return status;
}

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string &path, const std::string &content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

TempDir::TempDir() {
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/hostlabel-test.XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        Fail("mkdtemp");
    }
    path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::vector<std::string> ListDir(const std::string &path) {
    std::vector<std::string> names;
    DIR *dir = opendir(path.c_str());
    if (dir == nullptr) {
        Fail("opendir " + path);
    }
    while (const dirent *entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}
