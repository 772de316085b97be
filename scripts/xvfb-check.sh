#!/bin/sh
# A check of the program on a virtual display, by hand (not part of make
# test): WINKORVA2015 opens the example, shows its window with its caption,
# and Alt+C then R (Computation, Run Analysis) writes the report beside the
# project. Needs xvfb and xdotool (apt-get install xvfb xauth xdotool).
#
#   xvfb-run -a scripts/xvfb-check.sh [BUILD]
set -eu
BUILD=${1:-build}
PROJECT=examples/sand-pile.kv7d
REPORT=examples/sand-pile.kv7o
CAPTION="KORVA 2015.7.5 - Offshore - Sand-pile.kv7d"
rm -f "$REPORT"
"$BUILD/bin/WINKORVA2015" "$PROJECT" >/dev/null 2>&1 &
PID=$!
trap 'kill $PID 2>/dev/null || true' EXIT
WINDOW=$(timeout 30 xdotool search --sync --name "$CAPTION" | head -1)
echo "window: $(xdotool getwindowname "$WINDOW")"
xdotool windowfocus --sync "$WINDOW"
sleep 1
xdotool key --clearmodifiers alt+c
sleep 1
xdotool key r
# The run ends with its completion message; Return closes it.
for _ in $(seq 30); do
  [ -s "$REPORT" ] && break
  sleep 1
done
sleep 1
xdotool key Return
if [ -s "$REPORT" ] && grep -q "COMPUTATION RESULT" "$REPORT"; then
  echo "report: $REPORT"
else
  echo "no report written" >&2
  exit 1
fi
