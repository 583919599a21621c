// The Windows start-up, in place of the toolchain's: the C runtime DLL sets
// itself up when it is loaded, so all that is left is to find the argument
// text, call WinMain and leave through exit, which flushes standard output.
#include <stdlib.h>  // not <cstdlib>: see start.cpp

#include "platform.h"

extern "C" void startup() {
    // Before anything can load a DLL: only from the system folder, never from
    // the working directory, which may be anybody's download folder.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    // The argument text is the command line less the program's name, which
    // ends at the first blank outside double quotes, and less the blanks
    // after it. Bytes are unsigned: a name in any code page stays whole.
    const unsigned char* text = reinterpret_cast<const unsigned char*>(GetCommandLineA());
    bool quoted = false;
    while (*text > ' ' || (*text != '\0' && quoted)) {
        if (*text == '"') {
            quoted = !quoted;
        }
        ++text;
    }
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    char* argumentText = const_cast<char*>(reinterpret_cast<const char*>(text));
    exit(WinMain(GetModuleHandleA(nullptr), nullptr, argumentText, SW_SHOWDEFAULT));
}
