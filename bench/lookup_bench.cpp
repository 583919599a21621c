// Times GetIniKeyString on one settings file: the median of many look-ups.
//   lookup_bench FILE REPETITIONS   prints seconds per look-up
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>

#include "start.h"

static double now() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: lookup_bench FILE REPETITIONS\n");
        return 2;
    }
    int repetitions = atoi(argv[2]);
    static double seconds[10000];
    repetitions = std::clamp(repetitions, 1, 10000);
    for (int i = 0; i < repetitions; ++i) {
        Text value;
        double start = now();
        GetIniKeyString("tervok", "JAR", argv[1], value, "Tervok.jar");
        seconds[i] = now() - start;
    }
    std::nth_element(seconds, seconds + repetitions / 2, seconds + repetitions);
    printf("%.9f\n", seconds[repetitions / 2]);
    return 0;
}
