// The launcher's own functions, shared by the program and its tests.
#pragma once

// Every path and parameter text of a run lives in one of these: 259
// characters of the ANSI code page and the terminator.
const int TEXT_SIZE = 260;
typedef char Text[TEXT_SIZE];

// True when `path` can be opened for reading (a folder cannot).
bool fileExists(const char* path);

// Looks up `key` in `section` of the settings file `fileName` and copies its
// value, or `defaultValue` when there is no non-empty value that fits, into
// `value`. Returns 0 when something was copied, -1 when `defaultValue` is null
// and nothing was found.
int GetIniKeyString(const char* section, const char* key, const char* fileName, Text& value,
                    const char* defaultValue);
