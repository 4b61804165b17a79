// The built command itself. Runs that would rename happen only in private
// namespaces over a private copy of /etc; this machine's own name and
// /etc/hostname are checked untouched.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "case_names.h"
#include "expected_output.h"
#include "private_etc.h"
#include "process.h"

namespace {

struct UsageCase {
    const char *label;
    std::vector<std::string> args;
};

void PrintTo(const UsageCase &c, std::ostream *os) {
    *os << c.label;
}

// clang-format off
const UsageCase kUsageCases[] = {
    {"no argument", {}},
    {"two arguments", {"new-host", "extra"}},
    {"three arguments", {"a", "b", "c"}},
};
// clang-format on

class Usage : public MachineUntouched, public testing::WithParamInterface<UsageCase> {};

TEST_P(Usage, ReportsTheRunningNameAndShowsUsage) {
    std::vector<std::string> argv = {HOSTLABEL_PROGRAM};
    argv.insert(argv.end(), GetParam().args.begin(), GetParam().args.end());
    const ProcessResult r = RunProcess(argv);
    EXPECT_EQ(r.out, Report(RunningName()) + kUsage);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 255);
}

INSTANTIATE_TEST_SUITE_P(Counts, Usage, testing::ValuesIn(kUsageCases), CaseName());

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

const std::string kReport = Report("ns-before");

// clang-format off
const RenameCase kRenames[] = {
    {"one name", {"new-host"}, Output::Captured, false, kReport + kNotice, "", 0, "new-host\n"},
    {"dotted name kept as typed", {"Web-01.Example.org"}, Output::Captured, false, kReport + kNotice, "", 0,
     "Web-01.Example.org\n"},
    {"name with a blank refused", {"new host"}, Output::Captured, false, kReport,
     Refused("Invalid argument"), 1, ""},
    {"empty name refused", {""}, Output::Captured, false, kReport,
     Refused("Invalid argument"), 1, ""},
    {"lone asterisk refused", {"*"}, Output::Captured, false, kReport,
     Refused("Invalid argument"), 1, ""},
    {"hostname file bind-mounted", {"new-host"}, Output::Captured, true, kReport,
     Refused("Device or resource busy"), 1, ""},
    {"standard output closed", {"new-host"}, Output::Closed, false, "", "", 0, "new-host\n"},
    {"reader gone", {"new-host"}, Output::Broken, false, "", "", 0, "new-host\n"},
    {"reader gone, name refused", {"-bad"}, Output::Broken, false, "",
     Refused("Invalid argument"), 1, ""},
    {"standard output closed, no argument", {}, Output::Closed, false, "", "", 255, ""},
    {"reader gone, two arguments", {"a", "b"}, Output::Broken, false, "", "", 255, ""},
};
// clang-format on

class Rename : public MachineUntouched, public testing::WithParamInterface<RenameCase> {};

TEST_P(Rename, ChangesOnlyThePrivateHostnameFile) {
    if (!PrivateNamespacesAllowed()) {
        GTEST_SKIP() << "unshare --mount --uts is not allowed here, so no rename is tried";
    }
    const RenameCase &c = GetParam();
    TempDir dir;
    const std::string etc = dir.path + "/etc";
    const std::string before = "before-name\n";
    std::vector<std::string> argv = {HOSTLABEL_PROGRAM};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const ProcessResult r = RunInPrivateEtc(dir.path, before, argv, {}, c.output, c.bind_mounted);

    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(ReadFile(etc + "/hostname"), c.stored.empty() ? before : c.stored);
    EXPECT_EQ(ReadFile(dir.path + "/running-name"), "ns-before\n") << "the running name must wait for the reboot";
    ExpectNoNewFileLeft(etc);
}

INSTANTIATE_TEST_SUITE_P(PrivateEtc, Rename, testing::ValuesIn(kRenames), CaseName());

}  // namespace
