#!/usr/bin/env bash
# Runs every GoogleTest binary of a build once as a whole: tools/run-test-binaries.sh [build dir]
# CTest starts one process per test, which hides a test that passes only alone (state one test
# leaves behind in the process, such as a shared style, changes the next one).
# Real-window tests skip here (no display); their CTest entries run them under xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
[ -d "$build" ] || { echo "no build directory $build" >&2; exit 2; }
build="$(cd "$build" && pwd)"

mapfile -t binaries < <(ctest --test-dir "$build" -N -V 2>/dev/null |
  sed -n 's/^[0-9]*: Test command: \([^ ]*\) "--gtest_filter=.*/\1/p' | sort -u)
((${#binaries[@]})) || { echo "no test binaries in $build" >&2; exit 2; }

failed=()
for binary in "${binaries[@]}"; do
  name="${binary#"$build"/}"
  log="$(mktemp)"
  start=$SECONDS
  # The working directory CTest gives the discovered tests.
  if (cd "$build" && env -u DISPLAY timeout 600 "$binary") >"$log" 2>&1; then
    printf '%-45s passed (%ds)\n' "$name" $((SECONDS - start))
  else
    printf '%-45s FAILED (%ds)\n' "$name" $((SECONDS - start))
    grep -E '^\[  FAILED  \]|Failure$' "$log" | head -40 || tail -40 "$log"
    failed+=("$name")
  fi
  rm -f "$log"
done
if ((${#failed[@]})); then
  echo "Failed when run whole: ${failed[*]}" >&2
  exit 1
fi
