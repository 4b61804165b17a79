// Every table of cases names its rows by a label, so a failure says which.
#ifndef HOSTLABEL_TESTS_CASE_NAMES_H
#define HOSTLABEL_TESTS_CASE_NAMES_H

#include <cctype>
#include <string>

#include <gtest/gtest.h>

// The row's label as a test name: letters and digits kept, the rest '_'.
struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case> &info) const {
        std::string name;
        for (const char *p = info.param.label; *p != '\0'; ++p) {
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        }
        return name;
    }
};

#endif
