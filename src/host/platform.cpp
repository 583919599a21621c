#include "platform.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

typedef char HostPath[PATH_MAX];

// Windows paths on Linux: "\" becomes "/". False when the path is too long.
static bool toHostPath(const char* path, HostPath& hostPath) {
    size_t length = strlen(path);
    if (length >= sizeof hostPath) {
        errno = ENAMETOOLONG;
        return false;
    }
    for (size_t i = 0; i <= length; ++i) {
        hostPath[i] = path[i] == '\\' ? '/' : path[i];
    }
    return true;
}

static int fdOf(void* cookie) {
    return static_cast<int>(reinterpret_cast<intptr_t>(cookie));
}

// Text-mode reads. Data ends at a Ctrl-Z: the descriptor is moved to the end
// so nothing after it is ever read. CR LF becomes LF; a CR at the end of a
// read peeks at the next byte and puts it back unless it is the LF.
static ssize_t readText(void* cookie, char* buffer, size_t size) {
    int fd = fdOf(cookie);
    ssize_t count = read(fd, buffer, size);
    if (count <= 0) {
        return count;
    }
    char* ctrlZ = static_cast<char*>(memchr(buffer, 0x1A, static_cast<size_t>(count)));
    if (ctrlZ != nullptr) {
        count = ctrlZ - buffer;
        lseek(fd, 0, SEEK_END);
    }
    ssize_t kept = 0;
    for (ssize_t i = 0; i < count; ++i) {
        if (buffer[i] == '\r') {
            if (i + 1 < count) {
                if (buffer[i + 1] == '\n') {
                    continue;
                }
            } else {
                char next;
                if (read(fd, &next, 1) == 1) {
                    if (next == '\n') {
                        buffer[kept++] = '\n';
                        continue;
                    }
                    lseek(fd, -1, SEEK_CUR);
                }
            }
        }
        buffer[kept++] = buffer[i];
    }
    return kept;
}

static int closeText(void* cookie) {
    return close(fdOf(cookie));
}

FILE* openFile(const char* path, const char* mode) {
    HostPath hostPath;
    if (!toHostPath(path, hostPath)) {
        return nullptr;
    }
    int fd = open(hostPath, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        close(fd);
        errno = EACCES;  // what Windows reports for a folder
        return nullptr;
    }
    cookie_io_functions_t textMode = {readText, nullptr, nullptr, closeText};
    FILE* file = fopencookie(reinterpret_cast<void*>(static_cast<intptr_t>(fd)), mode, textMode);
    if (file == nullptr) {
        close(fd);
    }
    return file;
}

int changeDirectory(const char* path) {
    HostPath hostPath;
    if (!toHostPath(path, hostPath)) {
        return -1;
    }
    return chdir(hostPath);
}

// Splits `text` into arguments by the Microsoft C runtime's rules: blanks and
// tabs separate; double quotes group and are removed, and "" inside quotes is
// a literal quote; 2n backslashes before a quote give n, 2n+1 give n and a
// literal quote; other backslashes are literal. `storage` needs 2 * strlen +
// 1 bytes and `arguments` room for strlen / 2 + 2 entries.
static void splitArguments(const char* text, char* storage, char** arguments) {
    int count = 0;
    bool inQuotes = false;
    for (;;) {
        while (*text == ' ' || *text == '\t') {
            ++text;
        }
        if (*text == '\0') {
            break;
        }
        arguments[count++] = storage;
        for (;;) {
            bool copy = true;
            int slashes = 0;
            while (*text == '\\') {
                ++text;
                ++slashes;
            }
            if (*text == '"') {
                if (slashes % 2 == 0) {
                    if (inQuotes && text[1] == '"') {
                        ++text;
                    } else {
                        copy = false;
                        inQuotes = !inQuotes;
                    }
                }
                slashes /= 2;
            }
            while (slashes-- > 0) {
                *storage++ = '\\';
            }
            if (*text == '\0' || (!inQuotes && (*text == ' ' || *text == '\t'))) {
                break;
            }
            if (copy) {
                *storage++ = *text;
            }
            ++text;
        }
        *storage++ = '\0';
    }
    arguments[count] = nullptr;
}

HINSTANCE ShellExecuteA(HWND, LPCSTR, LPCSTR file, LPCSTR parameters, LPCSTR, int) {
    const HINSTANCE started = reinterpret_cast<HINSTANCE>(33);
    const HINSTANCE notFound = reinterpret_cast<HINSTANCE>(2);
    const size_t MAX_PARAMETERS = 4096;

    HostPath program;
    size_t length = strlen(parameters);
    if (!toHostPath(file, program) || length > MAX_PARAMETERS) {
        return notFound;
    }
    char storage[2 * MAX_PARAMETERS + 1];
    char* arguments[MAX_PARAMETERS / 2 + 3];
    arguments[0] = program;
    splitArguments(parameters, storage, arguments + 1);

    // Its own session, not waited for: the program outlives the launcher.
    // Like a program the shell starts on Windows, it inherits none of our
    // standard streams. posix_spawn leaves our unflushed output alone.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    posix_spawn_file_actions_t streams;
    posix_spawn_file_actions_init(&streams);
    for (int fd = 0; fd <= 2; ++fd) {
        posix_spawn_file_actions_addopen(&streams, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    }
    pid_t child;
    int error = posix_spawnp(&child, program, &streams, &attributes, arguments, environ);
    posix_spawn_file_actions_destroy(&streams);
    posix_spawnattr_destroy(&attributes);
    return error == 0 ? started : notFound;
}
