#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test (normal build).
# With an argument, uses that preset instead: tools/test.sh asan | tsan | clang
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
tools/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset"
