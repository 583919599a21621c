// Scratch folders and files for the unit tests.
#pragma once

#include <string>

// A new empty folder under the system's temporary folder.
std::string makeScratchFolder();

// Writes `bytes` to `path` exactly, NUL bytes included.
void writeFile(const std::string& path, const std::string& bytes);
