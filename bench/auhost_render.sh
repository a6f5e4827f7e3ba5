#!/usr/bin/env bash
# Times `auhost render` of generated songs (four tracks, overlapping notes and chords, one note
# every 6 ms, with a preset that moves every note) beside `midicsv` reading the same file, and
# reports each one's wall time (median of the runs) and peak resident memory. The songs are
# made once into out/bench/; the output's hash shows a change of code left the output alone.
#   bench/auhost_render.sh [AUHOST] [NOTES...]     (default build/bin/auhost, 100000 1000000)
# RUNS (default 3) sets the runs per program; CPU (e.g. 2) pins every run to one processor.
set -euo pipefail
cd "$(dirname "$0")/.."
auhost="${1:-build/bin/auhost}"
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000 1000000)
runs="${RUNS:-3}"
pin=()
[ -n "${CPU:-}" ] && pin=(taskset -c "$CPU")
command -v midicsv >/dev/null || { echo "midicsv is not installed (apt-get install midicsv)" >&2; exit 1; }
mkdir -p out/bench

# Median wall seconds and largest peak KiB of `runs` runs of a command: "SECONDS KIB".
measure() {
  local times=() peak=0 line
  for ((i = 0; i < runs; ++i)); do
    line=$("${pin[@]}" /usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null | tail -n 1)
    times+=("${line% *}")
    [ "${line#* }" -gt "$peak" ] && peak="${line#* }"
  done
  printf '%s %s\n' "$(printf '%s\n' "${times[@]}" | sort -g | sed -n "$(((runs + 1) / 2))p")" "$peak"
}

printf '%-9s %-10s %10s %10s %8s  %s\n' notes program seconds "peak MiB" "× midicsv" "output sha256"
for notes in "${sizes[@]}"; do
  song=out/bench/song-$notes.mid
  out=out/bench/song-$notes-out.mid
  [ -f "$song" ] || python3 bench/make_long_song.py "$song" "$notes" "$(awk "BEGIN { print $notes / 10000 }")"
  read -r csvTime csvPeak < <(measure midicsv "$song")
  read -r hostTime hostPeak < <(measure "$auhost" render --preset "A Bit Random" "$song" "$out")
  hash=$(sha256sum "$out" | cut -c1-16)
  awk -v n="$notes" -v ct="$csvTime" -v cp="$csvPeak" -v ht="$hostTime" -v hp="$hostPeak" -v h="$hash" 'BEGIN {
    printf "%-9s %-10s %10.3f %10.1f %8s\n", n, "midicsv", ct, cp / 1024, "1.00"
    printf "%-9s %-10s %10.3f %10.1f %8.2f  %s\n", n, "auhost", ht, hp / 1024, (ct > 0 ? ht / ct : 0), h
  }'
done
