// What the launcher needs from Windows: the shell, the C runtime's files and
// directories, and the ANSI code page.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>

#include <direct.h>
#include <stdio.h>  // not <cstdio>: see start.cpp

// Text mode: CR LF reads as LF, and Ctrl-Z ends the data.
inline FILE* openFile(const char* path, const char* mode) {
    return fopen(path, mode);
}

inline int changeDirectory(const char* path) {
    return _chdir(path);
}

inline bool isLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != 0;
}
