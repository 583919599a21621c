// Stands in for javaw.exe in the benchmarks: ends at once.
#include "platform.h"

extern "C" void startup() {
    ExitProcess(0);
}
