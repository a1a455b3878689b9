#!/usr/bin/env python3
"""Prints the line and branch coverage of src/ per folder from a coverage build's counters.

Usage: coverage-report.py SOURCE_DIR BUILD_DIR
"""
import collections
import json
import subprocess
import sys

source, build = sys.argv[1], sys.argv[2]
report = subprocess.run(
    ["gcovr", "--root", source, "--filter", source + "/src/", "--object-directory", build,
     "--exclude-unreachable-branches", "--exclude-throw-branches", "--json-summary", "-",
     build],
    check=True, capture_output=True, text=True).stdout
totals = collections.defaultdict(lambda: [0, 0, 0, 0])
for entry in json.loads(report)["files"]:
    parts = entry["filename"].split("/")
    folder = "/".join(parts[:2]) if parts[0] == "src" and len(parts) > 2 else parts[0]
    for row in (totals[folder], totals["src (all)"]):
        row[0] += entry["line_covered"]
        row[1] += entry["line_total"]
        row[2] += entry["branch_covered"]
        row[3] += entry["branch_total"]


def percent(covered, total):
    return f"{100.0 * covered / total:5.1f} %" if total else "    -  "


print(f"{'folder':<18}{'lines':>22}{'branches':>24}")
for folder in sorted(totals, key=lambda f: (f == "src (all)", f)):
    lc, lt, bc, bt = totals[folder]
    print(f"{folder:<18}{lc:>7}/{lt:<7}{percent(lc, lt):>8}{bc:>9}/{bt:<7}{percent(bc, bt):>8}")
