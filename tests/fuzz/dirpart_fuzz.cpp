// Fuzzes the directory part on texts as long as a Windows command line and
// more. The text sits in a buffer of exactly its own size, so the sanitizer
// sees any write past its terminator.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "dirpart.h"

static bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 40000) {
        return 0;
    }
    char* text = static_cast<char*>(malloc(size + 1));
    memcpy(text, data, size);
    text[size] = '\0';
    size_t length = strlen(text);

    const char* directory = directoryPart(text);
    size_t directoryLength = strlen(directory);
    if (directory != text && strcmp(directory, ".") != 0) {
        abort();
    }
    if (directory == text && directoryLength > length) {
        abort();
    }
    // Separator runs are squeezed: three in a row never remain.
    for (size_t i = 2; i < directoryLength; ++i) {
        if (isSeparator(directory[i]) && isSeparator(directory[i - 1]) && isSeparator(directory[i - 2])) {
            abort();
        }
    }
    free(text);
    return 0;
}
