#!/bin/sh
# Starts or stops the Xvfb that the display tests run against, never the machine's own display.
#   xvfb_fixture.sh start STATE_FILE WIDTHxHEIGHT   picks a free display number, writes ":N PID"
#   xvfb_fixture.sh stop STATE_FILE
set -eu
action="$1"
state="$2"
case "$action" in
start)
  size="${3:-1920x1080}"
  mkdir -p "$(dirname "$state")"
  # Spread parallel builds over the range so they rarely race for one number.
  n=$((100 + $$ % 400))
  tries=0
  while [ "$tries" -lt 50 ]; do
    tries=$((tries + 1))
    n=$((n + 1))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    # -noreset: the layouts the tests make must outlive the client that made them.
    Xvfb ":$n" -screen 0 "${size}x24" -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
    pid=$!
    waited=0
    while [ "$waited" -lt 100 ]; do
      if [ -S "/tmp/.X11-unix/X$n" ]; then
        echo ":$n $pid" > "$state"
        exit 0
      fi
      kill -0 "$pid" 2>/dev/null || break   # lost the number to someone else: try the next
      sleep 0.1
      waited=$((waited + 1))
    done
    kill "$pid" 2>/dev/null || true
  done
  echo "xvfb_fixture: no Xvfb could be started" >&2
  exit 1
  ;;
stop)
  [ -f "$state" ] || exit 0
  display="$(cut -d' ' -f1 "$state")"
  pid="$(cut -d' ' -f2 "$state")"
  rm -f "$state"
  if kill "$pid" 2>/dev/null; then
    i=0
    while kill -0 "$pid" 2>/dev/null && [ "$i" -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
  fi
  # A server killed outright leaves its lock and socket behind: ours to remove once it is gone.
  lock="/tmp/.X${display#:}-lock"
  if ! kill -0 "$pid" 2>/dev/null && [ "$(tr -d ' ' < "$lock" 2>/dev/null)" = "$pid" ]; then
    rm -f "$lock" "/tmp/.X11-unix/X${display#:}"
  fi
  ;;
*)
  echo "usage: $0 start|stop STATE_FILE [WIDTHxHEIGHT]" >&2
  exit 2
  ;;
esac
