#!/usr/bin/env bash
# The Linux launcher of the Windows render tool: messages name files as the user typed them, not
# as wine spells them. Usage: launcher_paths_test.sh LAUNCHER BUILD_FOLDER
set -uo pipefail
launcher=$1
export RENDER_BUILD=$2
folder=$(mktemp -d /tmp/render-launcher-test.XXXXXX)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/with space"
failures=0

# Runs the launcher with a time limit; its output, both streams, lands in $output.
run() {
  output=$(timeout 300 "$launcher" "$@" 2>&1)
  status=$?
}
expect() { # STATUS TEXT: the last run ended so and printed TEXT
  if [[ $status != "$1" || $output != *"$2"* ]]; then
    echo "FAIL: expected status $1 and \"$2\", got status $status:"
    echo "$output"
    failures=$((failures + 1))
  elif [[ $output == *'Z:\'* ]]; then
    echo "FAIL: a path in wine's spelling: $output"
    failures=$((failures + 1))
  fi
}

printf 'not audio\n' >"$folder/with space/text.wav"
run "$RENDER_BUILD/bin/H3R.dll" "$folder/with space/text.wav" "$folder/out.wav"
expect 1 "render: $folder/with space/text.wav: not a WAV file"

run --generate "$folder/material" --rate 8000
expect 0 "wrote $folder/material/step-tone.wav ("

run "$RENDER_BUILD/bin/H3R.dll" "$folder/material/step-tone.wav" "$folder/with space/out.wav"
expect 0 "wrote $folder/with space/out.wav (PCM 16 bit, mono)"

exit $((failures > 0))
