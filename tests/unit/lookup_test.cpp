#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "scratch.h"
#include "start.h"

namespace {

using std::string;

const char* const DEFAULT = "Tervok.jar";

struct Case {
    const char* name;
    string content;  // the settings file's bytes
    string value;    // what the lookup of JAR in [tervok] gives
};

string repeat(char c, size_t count) {
    return string(count, c);
}

// A comment line of `length` bytes, line end included.
string padding(size_t length) {
    return "#" + repeat('p', length - 2) + "\n";
}

const string SECTION = "[tervok]\n";

const Case CASES[] = {
    {"EmptyFile", "", DEFAULT},
    {"OnlyComments", "# JAR=a\n// JAR=b\n", DEFAULT},
    {"Plain", SECTION + "JAR=app.jar\n", "app.jar"},
    {"EmptyValue", SECTION + "JAR=\n", DEFAULT},
    {"OnlySpacesAfterEquals", SECTION + "JAR=   \n", DEFAULT},
    {"SpacesDroppedAfterEqualsOnly", SECTION + "JAR =   x y  \n", "x y  "},
    {"TabIsKept", SECTION + "JAR=\tx\n", "\tx"},
    {"FurtherEqualsKept", SECTION + "JAR=a=b\n", "a=b"},
    {"QuotesKept", SECTION + "JAR=\"my app.jar\" --x\n", "\"my app.jar\" --x"},
    {"LastLineWithoutLineEnd", SECTION + "JAR=last.jar", "last.jar"},
    {"FirstMatchWinsEvenALongerKey", SECTION + "JARFILE=a\nJAR=b\n", "a"},
    {"OnlyKeyLengthCompared", SECTION + "JARxyz=w.jar\n", "w.jar"},
    {"EmptyFirstMatchEndsScan", SECTION + "JAR=\nJAR=x\n", DEFAULT},
    {"KeyAboveSectionIgnored", "JAR=above.jar\n" + SECTION, DEFAULT},
    {"KeyInOtherSectionOnly", "[start]\nJAR=other.jar\n", DEFAULT},
    {"SectionStaysOpen", SECTION + "[start]\nJAVA_HOME=x\nJAR=later.jar\n", "later.jar"},
    {"SectionLineRestIgnored", "[tervok] ; settings\nJAR=a.jar\n", "a.jar"},
    {"AssignmentOpensSectionButIsNotCompared", "[tervok]JAR=x\nJAR=y\n", "y"},
    {"BlankBeforeHashIsNoComment", SECTION + " #JAR=x\n", DEFAULT},
    {"CommentsSkipped", SECTION + "//JAR=a\n#JAR=b\nJAR=c\n", "c"},
    {"SemicolonIsNoComment", SECTION + ";JAR=a\nJAR=b\n", "b"},
    {"CaseSensitiveKey", SECTION + "jar=x\n", DEFAULT},
    {"SectionIndented", " [tervok]\nJAR=x\n", DEFAULT},
    {"SectionCaseDiffers", "[TERVOK]\nJAR=x\n", DEFAULT},
    {"SectionCommentedOut", "//[tervok]\n#[tervok]\nJAR=x\n", DEFAULT},
    {"ByteOrderMarkBeforeSection", "\xEF\xBB\xBF[tervok]\nJAR=x\n", DEFAULT},
    {"ByteOrderMarkLaterLineFine", "\xEF\xBB\xBF# settings\n[tervok]\nJAR=x\n", "x"},
    // Windows text mode.
    {"CrLfLineEnds", "[tervok]\r\nJAR=x\r\n", "x"},
    {"LoneCrKept", SECTION + "JAR=x\ry\n", "x\ry"},
    {"CrAtEndOfFileKept", SECTION + "JAR=x\r", "x\r"},
    {"CtrlZEndsData", SECTION + "JAR=ab\x1A" "cd\n", "ab"},
    {"NothingAfterCtrlZ", SECTION + "\x1A" "JAR=x\n", DEFAULT},
    {"NulEndsLineText", SECTION + string("JAR=ab\0cd\n", 10), "ab"},
    {"NulBeforeEqualsHidesIt", SECTION + string("JAR\0=x\nJAR=y\n", 13), "y"},
    // A CR as the last byte of one read of the underlying file, its LF (or
    // not) the first of the next: the 14 bytes "[tervok]\nJAR=x" come first.
    {"CrLfAcrossRead", padding(8192 - 15) + "[tervok]\nJAR=x\r\n", "x"},
    {"LoneCrAcrossRead", padding(8192 - 15) + "[tervok]\nJAR=x\ry\n", "x\ry"},
    {"CrCtrlZAcrossRead", padding(8192 - 15) + "[tervok]\nJAR=x\r\x1A\n", "x\r"},
    // Lines longer than the 1023 characters of a line piece.
    {"PieceAfterFirstMatches", SECTION + repeat('y', 1023) + "JAR=piece.jar\n", "piece.jar"},
    {"PieceAfterCommentOpensSection", "#" + repeat('c', 1022) + "[tervok]\nJAR=x\n", "x"},
    // Values up to the 259 characters that fit the caller's buffer.
    {"Value259Fits", SECTION + "JAR=" + repeat('v', 259) + "\n", repeat('v', 259)},
    {"Value260Refused", SECTION + "JAR=" + repeat('v', 260) + "\n", DEFAULT},
    {"Value1019Refused", SECTION + "JAR=" + repeat('v', 1019) + "\n", DEFAULT},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class Lookup : public testing::TestWithParam<Case> {};

TEST_P(Lookup, FindsValueOrDefault) {
    string folder = makeScratchFolder();
    string file = folder + "/start.ini";
    writeFile(file, GetParam().content);

    Text value;
    memset(value, '#', sizeof value);
    testing::internal::CaptureStderr();
    int status = GetIniKeyString("tervok", "JAR", file.c_str(), value, DEFAULT);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(string(value), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Table, Lookup, testing::ValuesIn(CASES),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(LookupFailures, MissingFileGivesDefaultAndOneFopenLine) {
    string folder = makeScratchFolder();
    Text value = "unchanged";
    testing::internal::CaptureStderr();
    int status = GetIniKeyString("tervok", "JAR", (folder + "/start.ini").c_str(), value, DEFAULT);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "fopen: No such file or directory\n");
    EXPECT_EQ(status, 0);
    EXPECT_STREQ(value, DEFAULT);
}

TEST(LookupFailures, FolderCannotBeOpened) {
    string folder = makeScratchFolder();
    string file = folder + "/start.ini";
    ASSERT_EQ(mkdir(file.c_str(), 0755), 0);
    Text value;
    testing::internal::CaptureStderr();
    EXPECT_EQ(GetIniKeyString("tervok", "JAR", file.c_str(), value, DEFAULT), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "fopen: Permission denied\n");
    EXPECT_STREQ(value, DEFAULT);
}

TEST(LookupFailures, NoDefault) {
    string folder = makeScratchFolder();
    string file = folder + "/start.ini";
    Text value = "unchanged";

    writeFile(file, SECTION + "JAR=\n");
    EXPECT_EQ(GetIniKeyString("tervok", "JAR", file.c_str(), value, nullptr), -1);
    EXPECT_STREQ(value, "");

    memcpy(value, "unchanged", 10);
    writeFile(file, SECTION + "OTHER=x\n");
    EXPECT_EQ(GetIniKeyString("tervok", "JAR", file.c_str(), value, nullptr), -1);
    EXPECT_STREQ(value, "unchanged");

    writeFile(file, SECTION + "JAR=found.jar\n");
    EXPECT_EQ(GetIniKeyString("tervok", "JAR", file.c_str(), value, nullptr), 0);
    EXPECT_STREQ(value, "found.jar");
}

// Windows names: "\" separates, and a folder is not a file.
TEST(FileExists, OnlyReadableFiles) {
    string folder = makeScratchFolder();
    ASSERT_EQ(mkdir((folder + "/bin").c_str(), 0755), 0);
    writeFile(folder + "/bin/javaw.exe", "");
    EXPECT_TRUE(fileExists((folder + "/bin/javaw.exe").c_str()));
    EXPECT_TRUE(fileExists((folder + "\\bin\\javaw.exe").c_str()));
    EXPECT_FALSE(fileExists((folder + "/bin").c_str()));
    EXPECT_FALSE(fileExists((folder + "/bin/java.exe").c_str()));
}

}  // namespace
