#!/bin/sh
# Builds with --coverage into build/coverage, runs every ctest test (the display
# suites under their Xvfb and the teskutil suite included) and prints branch and
# line coverage per library folder (gcovr). Not part of CI.
# Usage: scripts/coverage.sh [ctest name regex]
set -eu
cd "$(dirname "$0")/.."
dir=build/coverage
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DTESK_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=--coverage -DTESK_COVERAGE" -DCMAKE_C_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$dir" -j "$(nproc)" >"$dir/build.log" 2>&1 || { tail -40 "$dir/build.log"; exit 1; }
find "$dir" -name '*.gcda' -delete
ctest --test-dir "$dir" -E InstalledPackageConsumer -R "${1:-.}" >"$dir/ctest.log" 2>&1 ||
  echo "coverage: some tests failed (see $dir/ctest.log); figures below still count what ran" >&2
gcovr -r . --object-directory "$dir" --exclude-throw-branches --exclude-unreachable-branches \
  --filter '(platform|util|settings|compress|format|imaging|host|tools)/' \
  --json-summary "$dir/summary.json" >"$dir/gcovr.log" 2>&1
python3 - "$dir/summary.json" <<'PY'
import json, sys
files = json.load(open(sys.argv[1]))["files"]
rows = {}
for f in files:
    folder = f["filename"].split("/")[0]
    r = rows.setdefault(folder, [0, 0, 0, 0])
    r[0] += f["branch_covered"]; r[1] += f["branch_total"]
    r[2] += f["line_covered"]; r[3] += f["line_total"]
pct = lambda a, b: f"{100.0 * a / b:5.1f}%" if b else "    -"
print(f"{'folder':<10} {'branches':>8} {'lines':>8}")
for folder in sorted(rows):
    b, bt, l, lt = rows[folder]
    print(f"{folder:<10} {pct(b, bt):>8} {pct(l, lt):>8}")
b, bt, l, lt = (sum(r[i] for r in rows.values()) for i in range(4))
print(f"{'all':<10} {pct(b, bt):>8} {pct(l, lt):>8}")
PY
