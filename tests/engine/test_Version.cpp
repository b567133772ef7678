// The version comparison used by the reader and offered as CompareVersion.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace {

struct VersionCase {
    const char* first;
    const char* second;
    int expected;
};

class CompareVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(CompareVersion, Result) {
    quib::CQuibCtrl q;
    const VersionCase& c = GetParam();
    EXPECT_EQ(q.CompareVersion(c.first, c.second), c.expected)
        << '"' << c.first << "\" vs \"" << c.second << '"';
}

INSTANTIATE_TEST_SUITE_P(Examples, CompareVersion,
                         ::testing::Values(VersionCase{"1.2", "1.10", -1},
                                           VersionCase{"2,0", "1.9", 1},
                                           VersionCase{"1.0", "1.0", 0},
                                           VersionCase{"1.0", "1.0.1", -1},
                                           VersionCase{"1.0.1", "1.0", -1}, VersionCase{"", "", 0},
                                           VersionCase{"", "1", -1}, VersionCase{"1", "", -1}));

INSTANTIATE_TEST_SUITE_P(Components, CompareVersion,
                         ::testing::Values(VersionCase{"1a", "1", 0}, VersionCase{"x", "0", 0},
                                           VersionCase{" 2", "2", 0}, VersionCase{"+3", "3", 0},
                                           VersionCase{"-1", "0", -1}, VersionCase{"0.2", "0.1", 1},
                                           VersionCase{"0.1.5", "0.1", -1},
                                           VersionCase{"0.0.9", "0.1", -1},
                                           VersionCase{"1", "0.1", 1}, VersionCase{"1,2", "1.2", 0},
                                           VersionCase{"2.7.1.0", "2.7.0.5", 1},
                                           VersionCase{"1.", "1", -1}, VersionCase{".", ".", 0},
                                           VersionCase{"99999999999", "1", 1}));

}  // namespace
