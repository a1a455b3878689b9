#!/usr/bin/env bash
# Runs a desktop file validator over one of the files that tell a desktop about Natalory.
set -euo pipefail
tool="$1"
shift
source "$(dirname "$0")/common.sh"
need "$tool"
"$tool" "$@"
