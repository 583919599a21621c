#include "dirpart.h"

#include "platform.h"

static bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// Length in bytes of the character at `p`: two for a lead byte of the ANSI
// code page followed by its trail byte, so a trail byte 0x5C ("\") inside a
// double-byte character is never taken for a separator.
static int charLength(const char* p) {
    return (isLeadByte(static_cast<unsigned char>(p[0])) && p[1] != '\0') ? 2 : 1;
}

// Moves the text from..end down to `to`, shrinking each run of separators to
// its first character. With `keepLeadingPair`, a run of exactly two like
// separators at the start (a network path, "\\server") is kept whole.
// Returns the new end.
static char* squeezeSeparators(char* to, const char* from, const char* end, bool keepLeadingPair) {
    if (keepLeadingPair && end - from >= 2 && isSeparator(from[0]) && from[1] == from[0]
        && (end - from == 2 || !isSeparator(from[2]))) {
        *to++ = *from++;
        *to++ = *from++;
    }
    while (from < end) {
        if (isSeparator(*from)) {
            *to++ = *from++;
            while (from < end && isSeparator(*from)) {
                ++from;
            }
            continue;
        }
        for (int n = charLength(from); n > 0; --n) {
            *to++ = *from++;
        }
    }
    return to;
}

const char* directoryPart(char* path) {
    if (path[0] == '\0') {
        return ".";
    }
    // A drive designator, one character that is no separator and then ":",
    // stays in front of whatever is left.
    char* rest = path;
    int firstLength = charLength(path);
    if (!isSeparator(path[0]) && path[firstLength] == ':') {
        rest = path + firstLength + 1;
        if (*rest == '\0') {
            return ".";
        }
    }

    // One pass over the characters: where the last name starts, and where
    // the run of separators in front of it starts.
    char* lastName = nullptr;
    char* runBeforeLastName = nullptr;
    char* run = nullptr;  // the separator run we are in, if any
    char* p = rest;
    while (*p != '\0') {
        if (isSeparator(*p)) {
            if (run == nullptr) {
                run = p;
            }
            ++p;
            continue;
        }
        if (run != nullptr || p == rest) {
            lastName = p;
            runBeforeLastName = run;
            run = nullptr;
        }
        p += charLength(p);
    }

    char* cut;
    if (lastName == nullptr) {
        cut = p;  // nothing but separators: the root
    } else if (runBeforeLastName == nullptr) {
        // A single name and no separator: the current directory.
        rest[0] = '.';
        rest[1] = '\0';
        return path;
    } else if (runBeforeLastName == rest) {
        cut = lastName;  // the name hangs off the root, which stays
    } else {
        cut = runBeforeLastName;
    }
    *squeezeSeparators(rest, rest, cut, rest == path) = '\0';
    return path;
}
