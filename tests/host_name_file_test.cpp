// The Linux layer's store for the boot-time host name, in temporary folders.
#include "platform/linux/host_name_file.h"

#include <cerrno>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "case_names.h"
#include "process.h"

namespace {

const std::string kOld = "old-host\n";

struct NameCase {
    const char *label;
    std::string name;
    bool valid;
};

void PrintTo(const NameCase &c, std::ostream *os) {
    *os << c.label;
}

// clang-format off
const NameCase kNames[] = {
    {"one letter", "a", true},
    {"digits only", "1234", true},
    {"hyphen inside", "web-01", true},
    {"mixed case kept", "Web-01", true},
    {"dotted", "web.example.org", true},
    {"label of 63", std::string(63, 'a'), true},
    {"64 in all", std::string(31, 'a') + "." + std::string(32, 'b'), true},
    {"empty", "", false},
    {"65 in all", std::string(32, 'a') + "." + std::string(32, 'b'), false},
    {"label of 64", std::string(64, 'a'), false},
    {"leading hyphen", "-web", false},
    {"trailing hyphen", "web-", false},
    {"label ends in hyphen", "web-.org", false},
    {"leading dot", ".web", false},
    {"trailing dot", "web.", false},
    {"double dot", "web..org", false},
    {"lone dot", ".", false},
    {"blank inside", "new host", false},
    {"trailing blank", "web ", false},
    {"asterisk", "*", false},
    {"underscore", "web_01", false},
    {"slash", "../passwd", false},
    {"8-bit byte", "h\xe9te", false},
    {"line feed", "web\nevil", false},
    {"tab", "web\t01", false},
    {"control character", "web\x01", false},
};
// clang-format on

class Names : public testing::TestWithParam<NameCase> {};

TEST_P(Names, ValidOnesReplaceTheFileOthersTouchNothing) {
    const NameCase &c = GetParam();
    TempDir dir;
    const std::string file = dir.path + "/hostname";
    WriteFile(file, kOld);

    EXPECT_EQ(IsValidHostName(c.name.c_str()), c.valid);
    errno = 0;
    const int result = ReplaceHostNameFile(dir.path.c_str(), c.name.c_str());
    if (c.valid) {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(ReadFile(file), c.name + "\n");
    } else {
        EXPECT_EQ(result, -1);
        EXPECT_EQ(errno, EINVAL);
        EXPECT_EQ(ReadFile(file), kOld);
    }
    EXPECT_EQ(ListDir(dir.path), std::vector<std::string>{"hostname"});
}

INSTANTIATE_TEST_SUITE_P(HostNames, Names, testing::ValuesIn(kNames), CaseName());

mode_t ModeOf(const std::string &path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

TEST(HostNameFile, NewFileIsWorldReadableWhateverTheUmaskAndOldMode) {
    TempDir dir;
    const std::string file = dir.path + "/hostname";
    WriteFile(file, kOld);
    chmod(file.c_str(), 0600);
    const mode_t saved = umask(077);
    const int result = ReplaceHostNameFile(dir.path.c_str(), "new-host");
    umask(saved);
    ASSERT_EQ(result, 0);
    EXPECT_EQ(ModeOf(file), 0644u);
}

TEST(HostNameFile, CreatesTheFileWhereThereWasNone) {
    TempDir dir;
    ASSERT_EQ(ReplaceHostNameFile(dir.path.c_str(), "new-host"), 0);
    EXPECT_EQ(ReadFile(dir.path + "/hostname"), "new-host\n");
}

TEST(HostNameFile, ShorterNameLeavesNothingOfTheLongerOne) {
    TempDir dir;
    WriteFile(dir.path + "/hostname", "a-much-longer-old-name\n");
    ASSERT_EQ(ReplaceHostNameFile(dir.path.c_str(), "b"), 0);
    EXPECT_EQ(ReadFile(dir.path + "/hostname"), "b\n");
}

TEST(HostNameFile, LeftoverOfAnEarlierRunDoesNotBlockIt) {
    TempDir dir;
    const std::string leftover = ".hostname." + std::to_string(getpid()) + ".0";
    WriteFile(dir.path + "/" + leftover, "half");
    ASSERT_EQ(ReplaceHostNameFile(dir.path.c_str(), "new-host"), 0);
    EXPECT_EQ(ReadFile(dir.path + "/hostname"), "new-host\n");
    EXPECT_EQ(ReadFile(dir.path + "/" + leftover), "half");
}

TEST(HostNameFile, MissingDirectoryFails) {
    TempDir dir;
    errno = 0;
    EXPECT_EQ(ReplaceHostNameFile((dir.path + "/none").c_str(), "new-host"), -1);
    EXPECT_EQ(errno, ENOENT);
}

TEST(HostNameFile, RefusedWithoutWritePermission) {
    TempDir dir;
    const std::string file = dir.path + "/hostname";
    WriteFile(file, kOld);
    // root writes anywhere, so the attempt is made as nobody in a child.
    const int status = WaitStatusOfChild([&] {
        if (geteuid() == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0) {
                return 100;
            }
        } else if (chmod(dir.path.c_str(), 0555) != 0) {
            return 101;
        }
        errno = 0;
        const int result = ReplaceHostNameFile(dir.path.c_str(), "new-host");
        return result == -1 ? errno : 102;
    });
    chmod(dir.path.c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), EACCES);
    EXPECT_EQ(ReadFile(file), kOld);
    EXPECT_EQ(ListDir(dir.path), std::vector<std::string>{"hostname"});
}

}  // namespace
