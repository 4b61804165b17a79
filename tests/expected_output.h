// The command's own texts, as a Linux run writes them.
#ifndef HOSTLABEL_TESTS_EXPECTED_OUTPUT_H
#define HOSTLABEL_TESTS_EXPECTED_OUTPUT_H

#include <string>

inline const std::string kUsage =
    "USAGE: Hostlabel ComputerName\n"
    "Sets this computer's host name to ComputerName; the change takes effect after a reboot.\n"
    "\n";
inline const std::string kNotice = "Please reboot for computer name change to take effect...\n";

inline std::string Report(const std::string &name) {
    return "Current computer name: " + name + "\n\n";
}

inline std::string Refused(const std::string &reason) {
    return "Could not change the computer name: " + reason + "\n";
}

#endif
