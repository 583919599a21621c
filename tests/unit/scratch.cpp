#include "scratch.h"

#include <cstdio>
#include <cstdlib>

std::string makeScratchFolder() {
    char pattern[] = "/tmp/start-unit-XXXXXX";
    const char* folder = mkdtemp(pattern);
    if (folder == nullptr) {
        perror("mkdtemp");
        abort();
    }
    return folder;
}

void writeFile(const std::string& path, const std::string& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        perror(path.c_str());
        abort();
    }
    fclose(file);
}
