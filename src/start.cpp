// start: runs the application archive with a private Java runtime, or with
// whatever javaw the shell finds, and ends at once.
#include "start.h"

// The C headers, not <cstdio> and <cstring>: on Windows the launcher is
// built without the C++ library's headers, which would swap the system C
// runtime's printf for the toolchain's own.
#include <stdio.h>
#include <string.h>

#include "dirpart.h"
#include "platform.h"

static const char JAVAW_IN_HOME[] = "\\bin\\javaw.exe";
static const char JAR_OPTION[] = " -jar ";

// The longest values that still fit their buffers once the launcher has
// appended to them; longer ones are ignored and the default applies.
static const size_t MAX_JAVA_HOME = TEXT_SIZE - 1 - (sizeof JAVAW_IN_HOME - 1);  // 245
static const size_t MAX_JAR = TEXT_SIZE - 1 - (sizeof JAR_OPTION - 1);           // 253

// Copies `source` whole into `target`, or leaves `target` alone and returns
// false when it would not fit.
static bool copyText(Text& target, const char* source) {
    size_t length = strlen(source);
    if (length >= TEXT_SIZE) {
        return false;
    }
    memcpy(target, source, length + 1);
    return true;
}

// Appends as much of `source` to `target` as fits.
static void appendText(Text& target, const char* source) {
    size_t used = strlen(target);
    while (used < TEXT_SIZE - 1 && *source != '\0') {
        target[used++] = *source++;
    }
    target[used] = '\0';
}

bool fileExists(const char* path) {
    FILE* file = openFile(path, "r");
    if (file == nullptr) {
        return false;
    }
    fclose(file);
    return true;
}

static bool isComment(const char* line) {
    return line[0] == '#' || (line[0] == '/' && line[1] == '/');
}

// A section opens on a line that begins with "[name]"; the rest of that line
// is ignored.
static bool opensSection(const char* line, const char* section) {
    size_t length = strlen(section);
    return line[0] == '[' && strncmp(line + 1, section, length) == 0 && line[1 + length] == ']';
}

// The first matching line ends the scan: its value (after the first "=",
// leading blanks dropped, everything else kept) is copied when it fits.
// A value too long for `value` is refused, so the default applies.
static bool takeValue(char* line, Text& value) {
    size_t length = strlen(line);
    if (length > 0 && line[length - 1] == '\n') {
        line[length - 1] = '\0';
    }
    const char* text = strchr(line, '=') + 1;
    while (*text == ' ') {
        ++text;
    }
    if (*text == '\0') {
        value[0] = '\0';
        return false;
    }
    return copyText(value, text);
}

int GetIniKeyString(const char* section, const char* key, const char* fileName, Text& value,
                    const char* defaultValue) {
    bool found = false;
    FILE* file = openFile(fileName, "r");
    if (file == nullptr) {
        perror("fopen");
    } else {
        // Once the section has opened, it stays open to the end of the file:
        // a key in a later section is found too.
        bool inSection = false;
        size_t keyLength = strlen(key);
        char line[1024];
        while (fgets(line, sizeof line, file) != nullptr) {
            if (isComment(line)) {
                continue;
            }
            if (inSection && strchr(line, '=') != nullptr) {
                if (strncmp(line, key, keyLength) == 0) {
                    fclose(file);
                    file = nullptr;
                    found = takeValue(line, value);
                    break;
                }
                continue;
            }
            if (opensSection(line, section)) {
                inSection = true;
            }
        }
        if (file != nullptr) {
            fclose(file);
        }
    }
    if (found) {
        return 0;
    }
    if (defaultValue == nullptr) {
        return -1;
    }
    // Our own defaults always fit; a caller's longer one is cut.
    value[0] = '\0';
    appendText(value, defaultValue);
    return 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR argumentText, int) {
    Text runtimePath = {};
    Text jarName = {};
    Text settingsFile = "start.ini";
    Text parameters = {};
    copyText(parameters, JAR_OPTION);

    // The argument text only chooses the working directory: opening a file
    // with the launcher runs it in that file's folder.
    changeDirectory(directoryPart(argumentText));

    GetIniKeyString("start", "JAVA_HOME", settingsFile, runtimePath, "jre");
    if (strlen(runtimePath) > MAX_JAVA_HOME) {
        copyText(runtimePath, "jre");
    }
    printf("JAVA_HOME=%s\n", runtimePath);
    appendText(runtimePath, JAVAW_IN_HOME);
    if (!fileExists(runtimePath)) {
        copyText(runtimePath, "javaw");  // left to the shell's search for programs
    }

    GetIniKeyString("tervok", "JAR", settingsFile, jarName, "Tervok.jar");
    if (strlen(jarName) > MAX_JAR) {
        copyText(jarName, "Tervok.jar");
    }
    // Unquoted on purpose: a settings file may add quotes or further
    // arguments of its own.
    appendText(parameters, jarName);

    printf("command = %s\n", runtimePath);
    printf("params = %s\n", parameters);

    // Hidden whatever show state we were given: javaw opens its own windows.
    ShellExecuteA(nullptr, "open", runtimePath, parameters, nullptr, SW_HIDE);
    return 0;
}
