// Fuzzes the settings lookup. The input is a section name, a key and the
// settings file's bytes, the first two ended by line ends. Beyond surviving,
// the lookup must close what it opens, fit its buffer, and deliver either the
// default or a text that stands in the file after an "=" (blanks skipped).
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "start.h"

static char settingsPath[64];

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/start-fuzz-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        abort();
    }
    snprintf(settingsPath, sizeof settingsPath, "%s/start.ini", folder);
    return 0;
}

// Takes bytes up to the next line end (at most 32, no NUL) as a name.
static const uint8_t* takeName(const uint8_t* data, const uint8_t* end, char (&name)[33]) {
    size_t length = 0;
    while (data < end && *data != '\n') {
        if (length < 32 && *data != '\0') {
            name[length++] = static_cast<char>(*data);
        }
        ++data;
    }
    name[length] = '\0';
    return data < end ? data + 1 : data;
}

static bool standsAfterEquals(const uint8_t* data, size_t size, const char* value) {
    size_t length = strlen(value);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != '=') {
            continue;
        }
        size_t start = i + 1;
        while (start < size && data[start] == ' ') {
            ++start;
        }
        if (size - start >= length && memcmp(data + start, value, length) == 0) {
            return true;
        }
    }
    return false;
}

static int lowestFreeDescriptor() {
    int fd = dup(0);
    close(fd);
    return fd;
}

static void check(bool condition) {
    if (!condition) {
        abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* end = data + size;
    char section[33];
    char key[33];
    const uint8_t* content = takeName(takeName(data, end, section), end, key);
    size_t contentSize = static_cast<size_t>(end - content);

    FILE* file = fopen(settingsPath, "wb");
    check(file != nullptr);
    check(fwrite(content, 1, contentSize, file) == contentSize);
    fclose(file);

    int freeBefore = lowestFreeDescriptor();
    static const char DEFAULT[] = "the default";
    Text value;
    memset(value, 'U', sizeof value);
    check(GetIniKeyString(section, key, settingsPath, value, DEFAULT) == 0);
    check(memchr(value, '\0', sizeof value) != nullptr);
    check(strchr(value, '\n') == nullptr);
    check(strcmp(value, DEFAULT) == 0 || standsAfterEquals(content, contentSize, value));

    // Without a default: a value found, or nothing (-1) with the buffer left
    // alone or emptied.
    Text unchanged = "unchanged";
    int status = GetIniKeyString(section, key, settingsPath, unchanged, nullptr);
    check(status == 0 || status == -1);
    if (status == 0) {
        check(strcmp(unchanged, value) == 0);
    } else {
        check(strcmp(value, DEFAULT) == 0);
        check(strcmp(unchanged, "unchanged") == 0 || unchanged[0] == '\0');
    }
    check(lowestFreeDescriptor() == freeBefore);
    return 0;
}
