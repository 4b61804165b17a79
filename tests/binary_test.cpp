// The built command itself. Runs that would rename happen only under
// unshare, in private mount and host-name namespaces over a private copy of
// /etc; this machine's own name and /etc/hostname are checked untouched.
#include <climits>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "case_names.h"
#include "process.h"

namespace {

const std::string kUsage =
    "USAGE: Hostlabel ComputerName\n"
    "Sets this computer's host name to ComputerName; the change takes effect after a reboot.\n"
    "\n";
const std::string kNotice = "Please reboot for computer name change to take effect...\n";

std::string RunningName() {
    char name[HOST_NAME_MAX + 1] = {};
    EXPECT_EQ(gethostname(name, sizeof name - 1), 0);
    return name;
}

// The machine's own name, before and after each test.
class Machine : public testing::Test {
protected:
    void SetUp() override {
        running_ = RunningName();
        stored_ = ReadFile("/etc/hostname");
    }
    void TearDown() override {
        EXPECT_EQ(RunningName(), running_) << "this machine's running name changed";
        EXPECT_EQ(ReadFile("/etc/hostname"), stored_) << "this machine's /etc/hostname changed";
    }
    std::string running_;
    std::string stored_;
};

struct UsageCase {
    const char *label;
    std::vector<std::string> args;
};

void PrintTo(const UsageCase &c, std::ostream *os) {
    *os << c.label;
}

const UsageCase kUsageCases[] = {
    {"no argument", {}},
    {"two arguments", {"new-host", "extra"}},
    {"three arguments", {"a", "b", "c"}},
};

class Usage : public Machine, public testing::WithParamInterface<UsageCase> {};

TEST_P(Usage, ReportsTheRunningNameAndShowsUsage) {
    std::vector<std::string> argv = {HOSTLABEL_PROGRAM};
    argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
    const ProcessResult r = RunProcess(argv);
    EXPECT_EQ(r.out, "Current computer name: " + RunningName() + "\n\n" + kUsage);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 255);
}

INSTANTIATE_TEST_SUITE_P(Counts, Usage, testing::ValuesIn(kUsageCases), CaseName());

// Inside the namespaces: /etc is the copy, the running name is ns-before,
// and an optional file is bound over /etc/hostname so it cannot be renamed
// over. The running name after the run is left in $dir/running-name.
const char kInPrivateEtc[] = R"(set -e
dir=$1; shift
mount --bind "$dir/etc" /etc
hostname ns-before
if [ -e "$dir/bound" ]; then mount --bind "$dir/bound" /etc/hostname; fi
set +e
"$@"
status=$?
hostname > "$dir/running-name"
exit $status
)";

bool NamespacesAllowed() {
    return RunProcess({"/usr/bin/unshare", "--mount", "--uts", "/bin/true"}).status == 0;
}

struct RenameCase {
    const char *label;
    std::vector<std::string> args;
    Output output;
    bool bind_mounted;  // /etc/hostname is a mount point
    std::string out;
    std::string err;
    int status;
    std::string stored;  // /etc/hostname afterwards; empty: as it was
};

void PrintTo(const RenameCase &c, std::ostream *os) {
    *os << c.label;
}

const std::string kReport = "Current computer name: ns-before\n\n";

const RenameCase kRenames[] = {
    {"one name", {"new-host"}, Output::Captured, false, kReport + kNotice, "", 0, "new-host\n"},
    {"dotted name kept as typed", {"Web-01.Example.org"}, Output::Captured, false, kReport + kNotice, "", 0,
     "Web-01.Example.org\n"},
    {"name with a blank refused", {"new host"}, Output::Captured, false, kReport,
     "Could not change the computer name: Invalid argument\n", 1, ""},
    {"empty name refused", {""}, Output::Captured, false, kReport,
     "Could not change the computer name: Invalid argument\n", 1, ""},
    {"lone asterisk refused", {"*"}, Output::Captured, false, kReport,
     "Could not change the computer name: Invalid argument\n", 1, ""},
    {"hostname file bind-mounted", {"new-host"}, Output::Captured, true, kReport,
     "Could not change the computer name: Device or resource busy\n", 1, ""},
    {"standard output closed", {"new-host"}, Output::Closed, false, "", "", 0, "new-host\n"},
    {"reader gone", {"new-host"}, Output::Broken, false, "", "", 0, "new-host\n"},
    {"reader gone, name refused", {"-bad"}, Output::Broken, false, "",
     "Could not change the computer name: Invalid argument\n", 1, ""},
    {"standard output closed, no argument", {}, Output::Closed, false, "", "", 255, ""},
    {"reader gone, two arguments", {"a", "b"}, Output::Broken, false, "", "", 255, ""},
};

class Rename : public Machine, public testing::WithParamInterface<RenameCase> {};

TEST_P(Rename, ChangesOnlyThePrivateHostnameFile) {
    if (!NamespacesAllowed()) {
        GTEST_SKIP() << "unshare --mount --uts is not allowed here, so no rename is tried";
    }
    const RenameCase &c = GetParam();
    TempDir dir;
    const std::string etc = dir.path + "/etc";
    ASSERT_EQ(RunProcess({"/bin/cp", "-a", "/etc/.", etc}).status, 0);
    const std::string before = "before-name\n";
    WriteFile(etc + "/hostname", before);
    if (c.bind_mounted) {
        WriteFile(dir.path + "/bound", before);
    }

    std::vector<std::string> argv = {"/usr/bin/unshare", "--mount", "--uts", "/bin/sh", "-c", kInPrivateEtc, "sh",
                                     dir.path, HOSTLABEL_PROGRAM};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const ProcessResult r = RunProcess(argv, {}, c.output);

    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(ReadFile(etc + "/hostname"), c.stored.empty() ? before : c.stored);
    EXPECT_EQ(ReadFile(dir.path + "/running-name"), "ns-before\n") << "the running name must wait for the reboot";
    const std::vector<std::string> stray = ListDir(etc);
    for (const std::string &name : stray) {
        EXPECT_EQ(name.rfind(".hostname.", 0), std::string::npos) << "left behind: " << name;
    }
}

INSTANTIATE_TEST_SUITE_P(PrivateEtc, Rename, testing::ValuesIn(kRenames), CaseName());

}  // namespace
