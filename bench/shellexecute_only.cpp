// Benchmark baseline under Wine: a Windows program built like start.exe that
// only asks the shell to start the runtime, with the same arguments.
#include "platform.h"

extern "C" void startup() {
    ShellExecuteA(nullptr, "open", "jre\\bin\\javaw.exe", " -jar Tervok.jar", nullptr, SW_HIDE);
    ExitProcess(0);
}
