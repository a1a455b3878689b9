#!/usr/bin/env bash
# Every option a program's --help lists is in its man page, and the man page lists no
# option the program does not have.
set -euo pipefail
program="$1"
page="$2"
source "$(dirname "$0")/common.sh"

# Option names: a dash or two and a lower-case word, not inside a word or a date.
options() { grep -oE '(^|[^A-Za-z0-9-])--?[a-z][a-z0-9-]*' | sed -E 's/^[^-]*//' | sort -u; }

from_help=$("$program" --help | options)
# roff writes a dash as \- and switches fonts with \fB, \fI, \fR.
from_page=$(sed -E 's/\\-/-/g; s/\\f[BIRP]//g' "$page" | options)
name=$(basename "$program")
missing=$(comm -23 <(echo "$from_help") <(echo "$from_page"))
extra=$(comm -13 <(echo "$from_help") <(echo "$from_page"))
[ -z "$missing" ] || echo "in $name --help but not in $(basename "$page"): $(echo $missing)" >&2
[ -z "$extra" ] || echo "in $(basename "$page") but not in $name --help: $(echo $extra)" >&2
[ -z "$missing$extra" ] || fail "the man page and --help list different options"
echo "$name: $(echo "$from_help" | wc -l) options, the man page agrees"
