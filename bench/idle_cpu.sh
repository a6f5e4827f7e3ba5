#!/usr/bin/env bash
# The CPU the programs take when nothing happens: CPU seconds of the process (every thread,
# user and system) over a span of wall time, as a percentage of one core, on a virtual X display
# with a window manager, while another X client (xlogo, a full-screen window) has the focus or
# the program is in front. Cases:
#   app in front            the application's welcome window key, its header animating
#   app behind xlogo        another program's window in front of it, with the focus
#   app minimised           its window minimised, the focus elsewhere
#   edit in front           `auhost edit`, nothing changing, its window in front
#   edit behind xlogo       the same, another program in front
#   bench/idle_cpu.sh [BUILD]          (default build)
# SPAN (default 10) sets the seconds measured per case. Installs what it needs (Debian packages)
# when missing; runs itself under xvfb-run when it is not already on a display of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
span="${SPAN:-10}"
app="$build/Vantrel_Zellow.app/Contents/MacOS/Vantrel_Zellow"
auhost="$build/bin/auhost"
[ -x "$app" ] && [ -x "$auhost" ] || { echo "build the programs first ($app, $auhost)" >&2; exit 1; }

if [ -z "${IDLE_CPU_DISPLAY:-}" ]; then
  packages=(xvfb xauth openbox xdotool x11-apps)
  missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}" >&2
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  IDLE_CPU_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# Everything the programs write (desktop entry, running-instance socket) stays in a scratch folder.
scratch=$(mktemp -d)
mkdir -p "$scratch/runtime" && chmod 700 "$scratch/runtime"
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
export XDG_DATA_DIRS="$scratch/none" XDG_CONFIG_DIRS="$scratch/none"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# The window manager reads its theme from the system's folders, not the scratch ones.
XDG_DATA_DIRS=/usr/local/share:/usr/share XDG_CONFIG_DIRS=/etc/xdg openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
kill -0 "${pids[-1]}" 2>/dev/null || { echo "the window manager did not start" >&2; exit 1; }
xlogo -geometry 1280x1024+0+0 >/dev/null 2>&1 &
pids+=($!)
other=$(xdotool search --sync --onlyvisible --class xlogo | head -n 1)

ticks=$(getconf CLK_TCK)
cpuTicks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Percent of one core the process took over `span` seconds.
measure() {
  local pid=$1 before after
  before=$(cpuTicks "$pid")
  sleep "$span"
  after=$(cpuTicks "$pid")
  awk -v d=$((after - before)) -v t="$ticks" -v s="$span" 'BEGIN { printf "%.1f", 100 * d / t / s }'
}
# Starts a program and prints its pid once its window shows; "WINDOW PID".
start() {
  "$@" >"$scratch/out" 2>&1 &
  local pid=$!
  pids+=("$pid")
  local window
  window=$(xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
  echo "$window $pid"
}
report() { printf '%-22s %6s %%   goal %s\n' "$1" "$2" "$3"; }
front() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowactivate "$1"; sleep 1; }

read -r window pid < <(start "$app" --seconds $((4 * span + 20)))
sleep 1
front "$window"
report "app in front" "$(measure "$pid")" "<= 35"
front "$other"
report "app behind xlogo" "$(measure "$pid")" "<= 2"
front "$window"
xdotool windowminimize --sync "$window" 2>/dev/null || xdotool windowminimize "$window"
sleep 1
report "app minimised" "$(measure "$pid")" "<= 2"
kill "$pid"

read -r window pid < <(start "$auhost" edit --seconds $((2 * span + 20)))
sleep 1
front "$window"
report "edit in front" "$(measure "$pid")" "<= 5"
front "$other"
report "edit behind xlogo" "$(measure "$pid")" "<= 5"
kill "$pid"
