#!/bin/sh
# Runs one fuzz harness over its seed folders (every crash ever found is kept in one of
# them) and then fuzzes it briefly, so a reader that starts crashing fails the tests.
# Usage: smoke.sh HARNESS DICTIONARY|- SEED_FOLDER...
# Exits 77 (skipped) when the fuzz build has not made the harness.
harness=$1
dict=$2
shift 2
if [ ! -x "$harness" ]; then
    echo "$harness was not built (no clang fuzz build): skipped"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
seeds="$*"
set -- -max_total_time="${NATALORY_FUZZ_SECONDS:-20}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/"
[ "$dict" != "-" ] && set -- "$@" -dict="$dict"
# The seed folders are paths without blanks, one word each.
# shellcheck disable=SC2086
"$harness" "$@" "$work/corpus" $seeds
status=$?
for crash in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
    [ -f "$crash" ] && echo "found: $(basename "$crash") (base64: $(base64 -w0 "$crash"))"
done
exit $status
