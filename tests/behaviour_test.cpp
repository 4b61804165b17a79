// The command's whole run, against the stand-in for the computer-name calls:
// what it writes, how it ends, and which requests it makes.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "case_names.h"
#include "expected_output.h"
#include "process.h"

namespace {

const std::string kQueried = "query size=256\n";

std::string Renamed(const std::string &name) {
    return "rename format=5 name[" + std::to_string(name.size()) + "]=" + name + "\n";
}

struct Case {
    const char *label;
    std::vector<std::string> args;
    const char *current_name;  // nullptr: the query fails
    const char *set_errno;     // nullptr: the rename request succeeds
    Output output;
    std::string out;
    std::string err;
    int status;
    std::string calls;
};

// -1 from main reaches a Linux parent as 255.
// clang-format off
const Case kCases[] = {
    {"no argument", {}, "old-host", nullptr, Output::Captured, Report("old-host") + kUsage, "", 255, kQueried},
    {"no argument, query fails", {}, nullptr, nullptr, Output::Captured, kUsage, "", 255, kQueried},
    {"one name", {"new-host"}, "old-host", nullptr, Output::Captured, Report("old-host") + kNotice, "", 0,
     kQueried + Renamed("new-host")},
    {"one name, query fails", {"new-host"}, nullptr, nullptr, Output::Captured, kNotice, "", 0,
     kQueried + Renamed("new-host")},
    {"two arguments, the first a good name", {"new-host", "extra"}, "old-host", nullptr, Output::Captured,
     Report("old-host") + kUsage, "", 255, kQueried},
    {"three arguments, query fails", {"a", "b", "c"}, nullptr, nullptr, Output::Captured, kUsage, "", 255, kQueried},
    {"empty argument", {""}, "old-host", nullptr, Output::Captured, Report("old-host") + kNotice, "", 0,
     kQueried + Renamed("")},
    {"name holding a blank", {"new host"}, "old-host", nullptr, Output::Captured, Report("old-host") + kNotice, "",
     0, kQueried + Renamed("new host")},
    {"lone asterisk", {"*"}, "old-host", nullptr, Output::Captured, Report("old-host") + kNotice, "", 0,
     kQueried + Renamed("*")},
    {"name passed unchanged", {" Mixed.Case "}, nullptr, nullptr, Output::Captured, kNotice, "", 0,
     kQueried + Renamed(" Mixed.Case ")},
    {"8-bit current name written as it is", {}, "h\xe9te\xff", nullptr, Output::Captured,
     Report("h\xe9te\xff") + kUsage, "", 255, kQueried},
    {"request refused", {"new-host"}, "old-host", "13", Output::Captured, Report("old-host"),
     Refused("Permission denied"), 1, kQueried + Renamed("new-host")},
    {"request refused, query fails", {"bad name"}, nullptr, "22", Output::Captured, "",
     Refused("Invalid argument"), 1, kQueried + Renamed("bad name")},
    {"standard output closed", {"new-host"}, "old-host", nullptr, Output::Closed, "", "", 0,
     kQueried + Renamed("new-host")},
    {"standard output closed, no argument", {}, "old-host", nullptr, Output::Closed, "", "", 255, kQueried},
    {"reader gone", {"new-host"}, "old-host", nullptr, Output::Broken, "", "", 0, kQueried + Renamed("new-host")},
    {"reader gone, request refused", {"new-host"}, "old-host", "1", Output::Broken, "",
     Refused("Operation not permitted"), 1, kQueried + Renamed("new-host")},
    {"reader gone, no argument", {}, nullptr, nullptr, Output::Broken, "", "", 255, kQueried},
};
// clang-format on

void PrintTo(const Case &c, std::ostream *os) {
    *os << c.label;
}

class Behaviour : public testing::TestWithParam<Case> {};

TEST_P(Behaviour, WritesEndsAndRequestsExactly) {
    const Case &c = GetParam();
    TempDir dir;
    const std::string log = dir.path + "/calls";
    WriteFile(log, "");

    std::vector<std::string> argv = {HOSTLABEL_FAKE_PROGRAM};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    std::vector<std::string> env = {"HOSTLABEL_FAKE_LOG=" + log};
    if (c.current_name != nullptr) {
        env.push_back(std::string("HOSTLABEL_FAKE_NAME=") + c.current_name);
    }
    if (c.set_errno != nullptr) {
        env.push_back(std::string("HOSTLABEL_FAKE_SET_ERRNO=") + c.set_errno);
    }

    const ProcessResult r = RunProcess(argv, env, c.output);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(ReadFile(log), c.calls);
}

INSTANTIATE_TEST_SUITE_P(Runs, Behaviour, testing::ValuesIn(kCases), CaseName());

}  // namespace
