// Every step of replacing the host-name file made to fail, and the writer
// killed at every step: a reader must always find the whole old name or the
// whole new one, and a failure must be reported as one.
#include "platform/linux/host_name_file.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "case_names.h"
#include "expected_output.h"
#include "private_etc.h"
#include "process.h"

namespace {

const std::string kOld = "old-host\n";
const std::string kNew = "new-host\n";

struct FaultCase {
    const char *label;
    const char *fault;  // HOSTLABEL_FAULT
    int error;          // 0: the replacement succeeds
    bool new_in_place;  // what /etc/hostname holds afterwards
};

void PrintTo(const FaultCase &c, std::ostream *os) {
    *os << c.label;
}

// clang-format off
const FaultCase kFaults[] = {
    {"directory cannot be opened", "open-directory=13", EACCES, false},
    {"new file not allowed", "create=13", EACCES, false},
    {"no room for a new file", "create=28", ENOSPC, false},
    {"read-only file system", "create=30", EROFS, false},
    {"write finds the disk full", "write=28", ENOSPC, false},
    {"write fails", "write=5", EIO, false},
    {"short write is completed", "write=short", 0, true},
    {"short write, then the disk is full", "write=short,28", ENOSPC, false},
    {"write takes nothing", "write=zero", EIO, false},
    {"mode cannot be set", "chmod=1", EPERM, false},
    {"flush to disk fails", "flush=5", EIO, false},
    {"close reports a lost write", "close=5", EIO, false},
    {"rename over a mount point", "rename=16", EBUSY, false},
    {"rename across file systems", "rename=18", EXDEV, false},
    {"directory flush fails after the rename", "flush-directory=5", EIO, true},
};
// clang-format on

class Fault : public testing::TestWithParam<FaultCase> {};

TEST_P(Fault, LeavesTheOldFileOrTheWholeNewOne) {
    const FaultCase &c = GetParam();
    TempDir dir;
    WriteFile(dir.path + "/hostname", kOld);
    setenv("HOSTLABEL_FAULT", c.fault, 1);
    errno = 0;
    const int result = ReplaceHostNameFile(dir.path.c_str(), "new-host");
    const int error = errno;
    unsetenv("HOSTLABEL_FAULT");

    EXPECT_EQ(result, c.error == 0 ? 0 : -1);
    if (c.error != 0) {
        EXPECT_EQ(error, c.error) << std::strerror(error);
    }
    EXPECT_EQ(ReadFile(dir.path + "/hostname"), c.new_in_place ? kNew : kOld);
    EXPECT_EQ(ListDir(dir.path), std::vector<std::string>{"hostname"});
}

INSTANTIATE_TEST_SUITE_P(Steps, Fault, testing::ValuesIn(kFaults), CaseName());

class ProgramFault : public MachineUntouched, public testing::WithParamInterface<FaultCase> {};

TEST_P(ProgramFault, ReportsTheFailureAndEndsWithStatusOne) {
    if (!PrivateNamespacesAllowed()) {
        GTEST_SKIP() << "unshare --mount --uts is not allowed here, so no rename is tried";
    }
    const FaultCase &c = GetParam();
    TempDir dir;
    const ProcessResult r = RunInPrivateEtc(dir.path, kOld, {HOSTLABEL_FAULTS_PROGRAM, "new-host"},
                                            {std::string("HOSTLABEL_FAULT=") + c.fault});
    if (c.error == 0) {
        EXPECT_EQ(r.out, Report("ns-before") + kNotice);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.status, 0);
    } else {
        EXPECT_EQ(r.out, Report("ns-before"));
        EXPECT_EQ(r.err, Refused(std::strerror(c.error)));
        EXPECT_EQ(r.status, 1);
    }
    EXPECT_EQ(ReadFile(dir.path + "/etc/hostname"), c.new_in_place ? kNew : kOld);
    ExpectNoNewFileLeft(dir.path + "/etc");
}

INSTANTIATE_TEST_SUITE_P(Steps, ProgramFault, testing::ValuesIn(kFaults), CaseName());

struct CrashCase {
    const char *label;
    const char *fault;
    bool new_in_place;
};

void PrintTo(const CrashCase &c, std::ostream *os) {
    *os << c.label;
}

// clang-format off
const CrashCase kCrashes[] = {
    {"killed before opening the directory", "open-directory=kill-before", false},
    {"killed before creating the new file", "create=kill-before", false},
    {"killed once the new file exists", "create=kill-after", false},
    {"killed before writing", "write=kill-before", false},
    {"killed after writing", "write=kill-after", false},
    {"killed before setting the mode", "chmod=kill-before", false},
    {"killed after setting the mode", "chmod=kill-after", false},
    {"killed before the flush", "flush=kill-before", false},
    {"killed after the flush", "flush=kill-after", false},
    {"killed before closing", "close=kill-before", false},
    {"killed after closing", "close=kill-after", false},
    {"killed before the rename", "rename=kill-before", false},
    {"killed after the rename", "rename=kill-after", true},
    {"killed before the directory flush", "flush-directory=kill-before", true},
    {"killed after the directory flush", "flush-directory=kill-after", true},
};
// clang-format on

class Crash : public testing::TestWithParam<CrashCase> {};

// A killed writer may leave its own new file behind, but never a partial
// hostname: that name only ever points at a complete file.
TEST_P(Crash, ReaderFindsTheWholeOldOrTheWholeNewName) {
    const CrashCase &c = GetParam();
    TempDir dir;
    WriteFile(dir.path + "/hostname", kOld);
    const int status = WaitStatusOfChild([&] {
        setenv("HOSTLABEL_FAULT", c.fault, 1);
        ReplaceHostNameFile(dir.path.c_str(), "new-host");
        return 0;
    });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the writer was not killed at that step";
    EXPECT_EQ(ReadFile(dir.path + "/hostname"), c.new_in_place ? kNew : kOld);
    for (const std::string &name : ListDir(dir.path)) {
        EXPECT_TRUE(name == "hostname" || name.rfind(".hostname.", 0) == 0) << "unexpected file: " << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, Crash, testing::ValuesIn(kCrashes), CaseName());

}  // namespace
