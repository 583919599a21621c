// Benchmark baseline on the host: starts the same runtime with the same
// parameters as the launcher, through the same platform layer, and nothing else.
#include "platform.h"

int main() {
    ShellExecuteA(nullptr, "open", "jre\\bin\\javaw.exe", " -jar Tervok.jar", nullptr, SW_HIDE);
    return 0;
}
