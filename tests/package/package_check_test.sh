#!/usr/bin/env bash
# package_check_test.sh ROOT VERSION OBJDUMP BIN_DIR FIXTURE_DLL: builds good and spoilt zips from
# this build's DLLs and expects scripts/check-package to accept only the good one, naming the fault.
set -uo pipefail
root=$1 version=$2 objdump=$3 bin=$4 fixture=$5
objcopy=${objdump%objdump}objcopy
target=win64
[[ $objdump == i686* ]] && target=win32
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# make_zip NAME DIR FILE...: a zip of the files in DIR, by their plain names.
make_zip() {
  local name=$1 dir=$2
  shift 2
  (cd "$dir" && python3 -m zipfile -c "$work/$name" "$@")
}

# stage DIR DW5K_SOURCE H3R_SOURCE [VERSION]: stripped copies and the two texts.
stage() {
  mkdir -p "$1"
  "$objcopy" --strip-debug "$2" "$1/DW5K.dll"
  "$objcopy" --strip-debug "$3" "$1/H3R.dll"
  echo "User guide, version ${4:-$version}" >"$1/USER-GUIDE.txt"
  echo "Version ${4:-$version}" >"$1/CREDITS.txt"
}

# expect CASE ZIP PATTERN: the check passes when PATTERN is "ok", else fails printing PATTERN.
expect() {
  local output status
  output=$("$root/scripts/check-package" "$work/$2" 2>&1)
  status=$?
  if [ "$3" = ok ]; then
    [ $status = 0 ] && grep -q "^ok $2" <<<"$output" && return
  else
    [ $status != 0 ] && grep -q "$3" <<<"$output" && return
  fi
  echo "FAIL $1: expected '$3' from check-package, got (status $status):"
  echo "$output"
  failures=$((failures + 1))
}

all="DW5K.dll H3R.dll USER-GUIDE.txt CREDITS.txt"
good=TORVEL-Soft-DW5K-H3R-$version-$target.zip
stage "$work/good" "$bin/DW5K.dll" "$bin/H3R.dll"
make_zip "$good" "$work/good" $all
expect "stripped DLLs of this build" "$good" ok

mkdir -p "$work/debug" "$work/d"
cp "$work/good/"*.txt "$bin/DW5K.dll" "$bin/H3R.dll" "$work/debug/"
make_zip "d/$good" "$work/debug" $all
expect "DLLs with debug information" "d/$good" "DW5K.dll carries debug sections: .debug"

mkdir -p "$work/m"
make_zip "m/$good" "$work/good" DW5K.dll USER-GUIDE.txt CREDITS.txt
expect "a DLL missing" "m/$good" "holds \[CREDITS.txt DW5K.dll USER-GUIDE.txt\]"

mkdir -p "$work/x"
cp "$bin/DW5K.dll" "$work/good/DW5K.dll.debug"
make_zip "x/$good" "$work/good" $all DW5K.dll.debug
expect "symbols shipped" "x/$good" "holds \[CREDITS.txt DW5K.dll DW5K.dll.debug"

mkdir -p "$work/n"
stage "$work/noversion" "$fixture" "$bin/H3R.dll"
make_zip "n/$good" "$work/noversion" $all
expect "a DLL without version resource" "n/$good" "DW5K.dll: .*no \(version resource\|resource section\)"

# A version the DLLs do not carry: the resource must be compared, not just found.
other=TORVEL-Soft-DW5K-H3R-9.8.7-$target.zip
stage "$work/other" "$bin/DW5K.dll" "$bin/H3R.dll" 9.8.7
make_zip "$other" "$work/other" $all
expect "DLLs of another version" "$other" "H3R.dll version resource has 'FileVersion=$version', expected 'FileVersion=9.8.7'"

# The DLLs of one target in the other's zip.
[ $target = win64 ] && wrong=win32 format=pei-i386 || wrong=win64 format=pei-x86-64
swapped=TORVEL-Soft-DW5K-H3R-$version-$wrong.zip
make_zip "$swapped" "$work/good" $all
expect "DLLs of the other target" "$swapped" "DW5K.dll is not a $format DLL"

[ $failures = 0 ] && echo "all cases behave"
exit $((failures > 0))
