#!/usr/bin/env bash
# The main job: renders the bundled demo song through the effect with a factory preset and
# prints what the effect did, then plays the song through the effect's editor and writes its
# picture (out/editor.png).
#   tools/demo.sh [PRESET]      (default "Late Snare"; `build/bin/auhost presets` lists them)
# The results are out/demo-<preset>.mid and out/editor.png; the demo song itself is
# examples/demo.mid.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-Late Snare}"
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target auhost >/dev/null
mkdir -p out
slug="$(printf '%s' "$preset" | tr 'A-Z' 'a-z' | tr -cs 'a-z0-9' '-' | sed 's/^-//; s/-$//')"
build/bin/auhost render --preset "$preset" examples/demo.mid "out/demo-$slug.mid"
build/bin/auhost edit --play examples/demo.mid --snapshot out/editor.png --seconds 2
