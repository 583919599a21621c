// What the launcher needs from Windows, stood in for on Linux so that the
// same program can be unit-tested, sanitized and fuzzed here.
#pragma once

#include <stdio.h>

typedef struct HINSTANCE__* HINSTANCE;
typedef struct HWND__* HWND;
typedef char* LPSTR;
typedef const char* LPCSTR;
#define WINAPI

const int SW_HIDE = 0;
const int SW_SHOWNORMAL = 1;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR argumentText, int showCommand);

// Starts `file` (a path, or a bare name searched on PATH) detached, with
// `parameters` split into arguments as the Microsoft C runtime splits them.
// Returns a value above 32 when the program was started, as the shell does.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        int showCommand);

// Opens a file as Windows' C runtime does in text mode: "\" separates,
// CR LF reads as LF, Ctrl-Z ends the data, and a folder cannot be opened.
FILE* openFile(const char* path, const char* mode);

int changeDirectory(const char* path);

// Linux texts are taken byte by byte.
inline bool isLeadByte(unsigned char) {
    return false;
}
