#!/usr/bin/env bash
# The main job: renders the bundled demo song through the effect with a factory preset and
# prints what the effect did.
#   tools/demo.sh [PRESET]      (default "Late Snare"; `build/bin/auhost presets` lists them)
# The result is out/demo-<preset>.mid; the demo song itself is examples/demo.mid.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-Late Snare}"
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target auhost >/dev/null
mkdir -p out
slug="$(printf '%s' "$preset" | tr 'A-Z' 'a-z' | tr -cs 'a-z0-9' '-' | sed 's/^-//; s/-$//')"
build/bin/auhost render --preset "$preset" examples/demo.mid "out/demo-$slug.mid"
