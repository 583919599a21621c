// The directory part of a path, by Windows rules: "/" and "\" both separate,
// a drive designator stays in front, "\\server" keeps its two leading separators.
#pragma once

// Cuts `path` down to its directory part in place and returns it, or returns
// "." when there is none. Never writes past the path's own terminator.
const char* directoryPart(char* path);
