#include "private_etc.h"

#include <climits>
#include <stdexcept>

#include <unistd.h>

namespace {

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

}  // namespace

std::string RunningName() {
    char name[HOST_NAME_MAX + 1] = {};
    EXPECT_EQ(gethostname(name, sizeof name - 1), 0);
    return name;
}

void MachineUntouched::SetUp() {
    running_ = RunningName();
    stored_ = ReadFile("/etc/hostname");
}

void MachineUntouched::TearDown() {
    EXPECT_EQ(RunningName(), running_) << "this machine's running name changed";
    EXPECT_EQ(ReadFile("/etc/hostname"), stored_) << "this machine's /etc/hostname changed";
}

void ExpectNoNewFileLeft(const std::string &etc) {
    for (const std::string &name : ListDir(etc)) {
        EXPECT_EQ(name.rfind(".hostname.", 0), std::string::npos) << "left behind: " << name;
    }
}

bool PrivateNamespacesAllowed() {
    return RunProcess({"/usr/bin/unshare", "--mount", "--uts", "/bin/true"}).status == 0;
}

ProcessResult RunInPrivateEtc(const std::string &dir, const std::string &stored, const std::vector<std::string> &argv,
                              const std::vector<std::string> &extra_env, Output output, bool bound) {
    const std::string etc = dir + "/etc";
    if (RunProcess({"/bin/cp", "-a", "/etc/.", etc}).status != 0) {
        throw std::runtime_error("cannot copy /etc to " + etc);
    }
    WriteFile(etc + "/hostname", stored);
    if (bound) {
        WriteFile(dir + "/bound", stored);
    }
    std::vector<std::string> command = {
        "/usr/bin/unshare", "--mount", "--uts", "/bin/sh", "-c", kInPrivateEtc, "sh", dir,
    };
    command.insert(command.end(), argv.begin(), argv.end());
    return RunProcess(command, extra_env, output);
}
