// Stands in for javaw.exe in the end-to-end tests: writes what it was started
// with (working directory, show state, arguments as the C runtime split them)
// to a file of its own in the folder named by STANDIN_RECORD, then exits. The
// file appears whole: it is written under another name and renamed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const char* folder = getenv("STANDIN_RECORD");
    if (folder == nullptr) {
        return 1;
    }
    char partPath[MAX_PATH];
    char path[MAX_PATH];
    // Process ids come back soon after a process ends: the clock makes the name unique.
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    unsigned long id = GetCurrentProcessId();
    long long tick = now.QuadPart;
    snprintf(partPath, sizeof partPath, "%s\\record-%lu-%lld.part", folder, id, tick);
    snprintf(path, sizeof path, "%s\\record-%lu-%lld.txt", folder, id, tick);
    FILE* record = fopen(partPath, "wb");
    if (record == nullptr) {
        return 1;
    }
    char directory[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    fprintf(record, "cwd=%s\nshow=%d\n", directory, show);
    for (int i = 1; i < __argc; ++i) {
        fprintf(record, "arg=%s\n", __argv[i]);
    }
    fprintf(record, "end\n");
    fclose(record);
    return MoveFileA(partPath, path) ? 0 : 1;
}
