// Under Wine: our directory part against the runtime library's own dirname,
// on the table of known answers and on thousands of random texts. Run in
// code page 1252 and in 932, where 0x95 0x5C is one character, not a name
// followed by a separator.
#include <libgen.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "../dirpart_cases.h"
#include "dirpart.h"

static int failed = 0;
static int passed = 0;
static bool doubleByte = false;  // code page 932

// The runtime's dirname cuts double-byte texts in the wrong place (it mixes up
// character and byte counts), so in code page 932 it is asked about the text
// with each double-byte character replaced by a letter of its own, and the
// letters are put back into its answer: the rules are the same per character.
static void toLetters(const char* text, char* out) {
    for (; *text != '\0'; ++text) {
        if (doubleByte && *text == '\x95') {
            ++text;
            *out++ = *text == 'A' ? 'X' : 'Y';
        } else {
            *out++ = *text;
        }
    }
    *out = '\0';
}

static void fromLetters(const char* text, char* out) {
    for (; *text != '\0'; ++text) {
        if (doubleByte && (*text == 'X' || *text == 'Y')) {
            *out++ = '\x95';
            *out++ = *text == 'X' ? 'A' : '\x5C';
        } else {
            *out++ = *text;
        }
    }
    *out = '\0';
}

static void compare(const char* text, const char* expected) {
    char ours[64];
    char theirs[64];
    char runtime[64];
    snprintf(ours, sizeof ours, "%s", text);
    toLetters(text, theirs);
    fromLetters(dirname(theirs), runtime);
    const char* mine = directoryPart(ours);
    bool good = strcmp(mine, runtime) == 0 && (expected == nullptr || strcmp(mine, expected) == 0);
    if (good) {
        ++passed;
        return;
    }
    ++failed;
    printf("[%s]: ours [%s], runtime [%s], expected [%s]\n", text, mine, runtime, expected ? expected : "-");
}

int main() {
    doubleByte = GetACP() == 932;
    for (const DirectoryCase& known : DIRECTORY_CASES) {
        compare(known.text, known.directory);
    }
    compare("ab\x95\x5C" "cd", doubleByte ? "." : "ab\x95");
    compare("a\\\x95\x5C" "b\\c", doubleByte ? "a\\\x95\x5C" "b" : "a\\\x95\\b");
    printf("code page %u\n", GetACP());

    // Random texts over the characters that matter, from a fixed seed. A
    // 0x95 always comes with a trail byte, 0x5C or "A", so that the text is
    // valid in code page 932 too (undecodable text is beyond the rules).
    static const char ALPHABET[] = "ab/\\: \"\x95";
    unsigned state = 12345;
    for (int i = 0; i < 5000; ++i) {
        char text[32];
        state = state * 1103515245u + 12345u;
        int count = static_cast<int>((state >> 16) % 13);
        int length = 0;
        for (int j = 0; j < count; ++j) {
            state = state * 1103515245u + 12345u;
            char c = ALPHABET[(state >> 16) % (sizeof ALPHABET - 1)];
            text[length++] = c;
            if (c == '\x95') {
                text[length++] = (state & 0x100) ? '\x5C' : 'A';
            }
        }
        text[length] = '\0';
        compare(text, nullptr);
    }
    printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
