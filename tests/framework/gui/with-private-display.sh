#!/usr/bin/env bash
# Runs a command on a virtual X display of its own: started here, stopped when the command ends,
# so a GUI test never depends on (or disturbs) a display someone else is using.
set -u
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
server=$!
for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  sleep 0.1
done
number=$(head -n1 "$number_file")
rm -f "$number_file"
if [ -z "$number" ]; then
  kill "$server" 2>/dev/null
  echo "with-private-display: Xvfb did not start" >&2
  exit 1
fi
DISPLAY=":$number" "$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
