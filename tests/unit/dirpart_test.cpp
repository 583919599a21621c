#include <gtest/gtest.h>

#include <string>

#include "dirpart.h"
#include "../dirpart_cases.h"

namespace {

class DirectoryPart : public testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectoryPart, FollowsWindowsRules) {
    std::string text = GetParam().text;
    std::string before = text;
    EXPECT_STREQ(directoryPart(text.data()), GetParam().directory) << "for [" << before << "]";
}

INSTANTIATE_TEST_SUITE_P(Table, DirectoryPart, testing::ValuesIn(DIRECTORY_CASES));

// The answer is cut from the text itself: nothing is written past its end,
// however long it is (a Windows command line holds up to 32,767 characters).
TEST(DirectoryPartLong, CommandLineOfWindowsLength) {
    std::string text(32767, 'a');
    for (size_t i = 100; i < text.size(); i += 100) {
        text[i] = '\\';
    }
    std::string expected = text.substr(0, text.rfind('\\'));
    EXPECT_EQ(std::string(directoryPart(text.data())), expected);

    std::string separators(32767, '/');
    EXPECT_STREQ(directoryPart(separators.data()), "/");
}

}  // namespace
