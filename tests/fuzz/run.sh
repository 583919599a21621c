#!/bin/sh
# Runs one fuzz target for a bounded time on a working corpus that starts from
# the committed seeds.  usage: run.sh FUZZER SEEDS SECONDS MAX_LEN
set -eu
fuzzer=$1 seeds=$2 seconds=$3 max_len=$4
corpus="$(dirname "$fuzzer")/corpus-$(basename "$fuzzer")"
mkdir -p "$corpus"
exec "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 "$corpus" "$seeds"
