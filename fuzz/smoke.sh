#!/bin/sh
# Runs one fuzz harness over its seed corpus (every crash ever found is kept there)
# and then fuzzes it briefly, so a reader that starts crashing fails the tests.
# Usage: smoke.sh HARNESS SEED_FOLDER [DICTIONARY]
# Exits 77 (skipped) when the fuzz build has not made the harness.
harness=$1
seeds=$2
dict=$3
if [ ! -x "$harness" ]; then
    echo "$harness was not built (no clang fuzz build): skipped"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
set -- -max_total_time="${NATALORY_FUZZ_SECONDS:-20}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/"
[ -n "$dict" ] && set -- "$@" -dict="$dict"
"$harness" "$@" "$work/corpus" "$seeds"
status=$?
for crash in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
    [ -f "$crash" ] && echo "found: $(basename "$crash") (base64: $(base64 -w0 "$crash"))"
done
exit $status
