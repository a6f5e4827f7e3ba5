#!/usr/bin/env bash
# The main job: renders the bundled demo song through the effect with a factory preset and
# prints what the effect did, then plays the song through the effect's editor and writes its
# picture (out/editor.png), and opens the application that carries the effect and writes its
# welcome window with the header running (out/app.png).
#   tools/demo.sh [PRESET]      (default "Late Snare"; `build/bin/auhost presets` lists them)
# The results are out/demo-<preset>.mid, out/editor.png and out/app.png; the demo song itself
# is examples/demo.mid.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-Late Snare}"
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target auhost Vantrel_Zellow >/dev/null
mkdir -p out
slug="$(printf '%s' "$preset" | tr 'A-Z' 'a-z' | tr -cs 'a-z0-9' '-' | sed 's/^-//; s/-$//')"
build/bin/auhost render --preset "$preset" examples/demo.mid "out/demo-$slug.mid"
build/bin/auhost edit --play examples/demo.mid --snapshot out/editor.png --seconds 2
build/Vantrel_Zellow.app/Contents/MacOS/Vantrel_Zellow --snapshot out/app.png --seconds 1
