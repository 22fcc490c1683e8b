#!/usr/bin/env bash
# Runs a command on an X display: the current one when DISPLAY is set, else a
# private Xvfb (1920x1080x24) that lives as long as the command.
# -noreset keeps the server from resetting whenever its last client leaves,
# which makes short-lived test clients slow and sometimes unable to connect.
set -euo pipefail

if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi

command -v Xvfb >/dev/null || { echo "with-xvfb: Xvfb is not installed (run tools/setup.sh)" >&2; exit 1; }
fifo_dir=$(mktemp -d)
trap 'kill "${xvfb_pid:-}" 2>/dev/null || true; rm -rf "$fifo_dir"' EXIT
mkfifo "$fifo_dir/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -noreset -nolisten tcp 3>"$fifo_dir/display" \
  >"$fifo_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 30 number <"$fifo_dir/display" || { echo "with-xvfb: Xvfb did not start" >&2; cat "$fifo_dir/xvfb.log" >&2; exit 1; }
export DISPLAY=":$number"
"$@"
