// The Linux start-up: Windows hands WinMain the command line after the
// program's name; here the arguments joined by single blanks stand in for it.
#include <cstring>

#include "platform.h"

int main(int argc, char** argv) {
    // Windows' command line holds at most 32,767 characters; longer is cut.
    static char argumentText[32768];
    size_t used = 0;
    for (int i = 1; i < argc; ++i) {
        for (const char* p = argv[i]; *p != '\0' && used < sizeof argumentText - 1; ++p) {
            argumentText[used++] = *p;
        }
        if (i + 1 < argc && used < sizeof argumentText - 1) {
            argumentText[used++] = ' ';
        }
    }
    argumentText[used] = '\0';
    return WinMain(nullptr, nullptr, argumentText, SW_SHOWNORMAL);
}
