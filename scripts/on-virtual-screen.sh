#!/bin/bash
# Runs a command on a virtual X server of its own. The server picks a free display itself
# (-displayfd), so window tests started side by side never share or race for one, as
# `xvfb-run -a` can when two pick the same number at once.
# Usage: on-virtual-screen.sh WIDTHxHEIGHTxDEPTH command [args...]
set -u
screen="$1"
shift
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/server.log" &
server=$!
if ! read -r -t 30 number <"$dir/display" || [ -z "$number" ]; then
    echo "on-virtual-screen: the X server did not start" >&2
    cat "$dir/server.log" >&2
    kill "$server" 2>/dev/null
    exit 1
fi
DISPLAY=":$number" "$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
