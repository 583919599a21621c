#!/bin/sh
# Stands in for javaw in the host end-to-end tests: writes its working
# directory and arguments to a file of its own in $STANDIN_RECORD.
part=$(mktemp "$STANDIN_RECORD/record-XXXXXXXX.part") || exit 1
{
    printf 'cwd=%s\n' "$(pwd -P)"
    printf 'show=-1\n'
    for argument in "$@"; do
        printf 'arg=%s\n' "$argument"
    done
    printf 'end\n'
} > "$part" && mv "$part" "${part%.part}.txt"
