// Runs a program where renaming is harmless: under unshare, in private mount
// and host-name namespaces, with a private copy of /etc bound over /etc and
// the running name set to "ns-before".
#ifndef HOSTLABEL_TESTS_PRIVATE_ETC_H
#define HOSTLABEL_TESTS_PRIVATE_ETC_H

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "process.h"

// The running host name, as gethostname gives it.
std::string RunningName();

// Checks that a test left this machine's own names as they were.
class MachineUntouched : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::string running_;
    std::string stored_;
};

// Fails the test for each new hostname file the layer left in etc.
void ExpectNoNewFileLeft(const std::string &etc);

// False where this machine does not let us make the namespaces.
bool PrivateNamespacesAllowed();

// Makes dir/etc a copy of /etc whose hostname file holds stored, then runs
// argv there. When bound is set, a file is bound over /etc/hostname so that
// it cannot be renamed over. The running name after the run is left in
// dir/running-name.
ProcessResult RunInPrivateEtc(const std::string &dir, const std::string &stored, const std::vector<std::string> &argv,
                              const std::vector<std::string> &extra_env = {}, Output output = Output::Captured,
                              bool bound = false);

#endif
