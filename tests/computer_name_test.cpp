// The Linux computer-name calls as the command makes them. Renames happen
// only in a child that has its own mount and host-name namespaces and a
// private /etc, so this machine's name is never touched.
#include "platform/computer_name.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "case_names.h"
#include "private_etc.h"
#include "process.h"

namespace {

TEST(GetComputerNameA, GivesTheRunningName) {
    char buffer[1025];
    DWORD size = 256;
    ASSERT_TRUE(GetComputerNameA(buffer, &size));
    EXPECT_EQ(std::string(buffer), RunningName());
    EXPECT_EQ(size, RunningName().size());
}

TEST(GetComputerNameA, NeedsRoomForTheTerminator) {
    const std::string running = RunningName();
    char buffer[HOST_NAME_MAX + 1];
    DWORD size = static_cast<DWORD>(running.size());
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(GetComputerNameA(buffer, &size));
    EXPECT_EQ(size, running.size() + 1);
    EXPECT_EQ(buffer[0], 'x');

    size = static_cast<DWORD>(running.size() + 1);
    ASSERT_TRUE(GetComputerNameA(buffer, &size));
    EXPECT_EQ(std::string(buffer), running);
}

struct RenameCase {
    const char *label;
    int format;
    const char *name;
    int error;  // 0: the request succeeds
};

void PrintTo(const RenameCase &c, std::ostream *os) {
    *os << c.label;
}

// clang-format off
const RenameCase kRenames[] = {
    {"good name", ComputerNamePhysicalDnsHostname, "new-host", 0},
    {"other format", 1, "new-host", EINVAL},
    {"format just below", 4, "new-host", EINVAL},
    {"bad name", ComputerNamePhysicalDnsHostname, "new host", EINVAL},
    {"empty name", ComputerNamePhysicalDnsHostname, "", EINVAL},
};
// clang-format on

// What the child reports when the running name changed under it.
constexpr int kRunningNameChanged = 200;

class Rename : public testing::TestWithParam<RenameCase> {};

TEST_P(Rename, StoresTheNameForTheNextBootOnly) {
    const RenameCase &c = GetParam();
    TempDir dir;
    const std::string etc = dir.path + "/etc";
    ASSERT_EQ(mkdir(etc.c_str(), 0755), 0);
    WriteFile(etc + "/hostname", "old-host\n");

    const int status = WaitStatusOfChild([&] {
        if (unshare(CLONE_NEWNS | CLONE_NEWUTS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount(etc.c_str(), "/etc", nullptr, MS_BIND, nullptr) != 0 || sethostname("ns-before", 9) != 0) {
            return 255;
        }
        errno = 0;
        const BOOL ok = SetComputerNameExA(static_cast<COMPUTER_NAME_FORMAT>(c.format), c.name);
        const int error = ok ? 0 : errno;
        return RunningName() == "ns-before" ? error : kRunningNameChanged;
    });
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 255) {
        GTEST_SKIP() << "private mount and host-name namespaces are not allowed here";
    }
    EXPECT_EQ(WEXITSTATUS(status), c.error);
    EXPECT_EQ(ReadFile(etc + "/hostname"), c.error == 0 ? std::string(c.name) + "\n" : "old-host\n");
    EXPECT_EQ(ListDir(etc), std::vector<std::string>{"hostname"});
}

INSTANTIATE_TEST_SUITE_P(Requests, Rename, testing::ValuesIn(kRenames), CaseName());

}  // namespace
