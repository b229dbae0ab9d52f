# shellcheck shell=bash
# An X server for the windows that Wine opens; sourced. start_display uses DISPLAY when it is set;
# otherwise it starts a private Xvfb and returns once the server takes connections (Xvfb tells its
# display number on a pipe only then). stop_display ends the server it started, if any.
xvfb_pid=
start_display() {
  [ -n "${DISPLAY:-}" ] && return
  local fifo number
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 30 number <"$fifo" || { rm -f "$fifo"; echo "cannot start Xvfb" >&2; return 1; }
  rm -f "$fifo"
  export DISPLAY=:$number
}

stop_display() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  xvfb_pid=
}
