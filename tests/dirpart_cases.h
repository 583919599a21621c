// Known directory parts, shared by the unit tests and by the comparison with
// the Windows runtime's own dirname under Wine.
#pragma once

struct DirectoryCase {
    const char* text;
    const char* directory;
};

inline const DirectoryCase DIRECTORY_CASES[] = {
    {"", "."},
    {"file.txt", "."},
    {"C:\\dir\\file.txt", "C:\\dir"},
    {"C:/dir/file.txt", "C:/dir"},
    {"dir\\sub\\", "dir"},
    {"C:\\dir", "C:\\"},
    {"C:\\", "C:\\"},
    {"C:", "."},
    {"C:file.txt", "C:."},
    {"//server/share/file", "//server/share"},
    {"a//b//c", "a/b"},
    {"C:\\a\\b c:\\d\\e", "C:\\a\\b c:\\d"},
    {"\"C:\\my dir\\file.txt\"", "\"C:\\my dir"},
    // Roots, network paths and odd drives.
    {"\\\\", "\\\\"},
    {"\\\\\\", "\\"},
    {"/\\", "/"},
    {"//file", "//"},
    {"///a//b", "/a"},
    {"C://x/y", "C:/x"},
    {"C:\\\\\\a", "C:\\"},
    {"::x", "::."},
    {":/a", ":"},
    {"x//", "."},
    {"\\\\a\\\\b\\c", "\\\\a\\b"},
};
