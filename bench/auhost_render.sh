#!/usr/bin/env bash
# Times `auhost render` on a generated 10-minute song of 100,000 notes on four tracks, with a
# preset that moves every note. The song is made once into out/bench/.
#   bench/auhost_render.sh [AUHOST]     (default build/bin/auhost)
set -euo pipefail
cd "$(dirname "$0")/.."
auhost="${1:-build/bin/auhost}"
mkdir -p out/bench
song=out/bench/long-song.mid
[ -f "$song" ] || python3 bench/make_long_song.py "$song" 100000 10
for run in 1 2 3; do
  TIMEFORMAT="auhost render, 100000 notes, 10 minutes, run $run: %3R s"
  time "$auhost" render --preset "A Bit Random" "$song" out/bench/long-song-out.mid >/dev/null
done
