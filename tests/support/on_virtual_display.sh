#!/usr/bin/env bash
# on_virtual_display.sh COMMAND...: runs COMMAND on a virtual X display of its own. Xvfb chooses a free
# display itself and names it when it is ready, so test programs started side by side never race for one.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "Xvfb is needed: install the Debian packages xvfb and xauth" >&2; exit 1; }

work=$(mktemp -d)
server=""
trap '[[ -z $server ]] || kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
mkfifo "$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>"$work/server.log" &
server=$!
read -r display <"$work/display" || true
[[ -n ${display:-} ]] || { echo "Xvfb did not start: $(cat "$work/server.log")" >&2; exit 1; }
DISPLAY=:$display "$@"
