#!/bin/sh
# Static analysis of the launcher's own code: cppcheck, and clang-tidy on the
# host build's compile commands.  usage: lint.sh SOURCE_DIR BUILD_DIR
set -eu
source=$1 build=$2
cd "$source"
files="src/start.cpp src/dirpart.cpp src/host/platform.cpp src/host/startup.cpp"
# shellcheck disable=SC2086
cppcheck --quiet --enable=warning,style,performance,portability --std=c++20 --error-exitcode=1 \
    -I src -I src/host $files
# shellcheck disable=SC2086
clang-tidy --quiet -p "$build" --warnings-as-errors='*' \
    --checks='-*,bugprone-*,cert-*,clang-analyzer-*,-bugprone-easily-swappable-parameters,-cert-err33-c' $files
echo "static analysis: no findings"
