#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a .ts file is out of date with the sources (lupdate, run on a copy, would change it:
# a text added, changed or gone) or when a message in it is not translated. The tree is never
# changed.
#
#   check_translations.sh LUPDATE SOURCES_LIST TS_FILE... -- LUPDATE_OPTION...
set -euo pipefail

lupdate=$1
sources=$2
shift 2
ts_files=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  ts_files+=("$1")
  shift
done
[ $# -gt 0 ] && shift
options=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for ts in "${ts_files[@]}"; do
  name=$(basename "$ts")
  cp "$ts" "$work/$name"
  "$lupdate" "${options[@]}" "@$sources" -ts "$work/$name" >"$work/lupdate.log" 2>&1 ||
    { cat "$work/lupdate.log"; exit 1; }
  if ! cmp -s "$ts" "$work/$name"; then
    echo "$name is out of date with the sources; run  cmake --build --preset dev --target update_translations"
    echo "and translate what it adds. What lupdate would change:"
    diff -u "$ts" "$work/$name" | head -n 60 || true
    status=1
  fi
  # New texts are marked unfinished; a translation may also have been left empty or marked so.
  unfinished=$(grep -c 'type="unfinished"\|<translation></translation>\|<translation/>' "$work/$name" || true)
  if [ "$unfinished" -ne 0 ]; then
    echo "$name: $unfinished messages are not translated:"
    grep -B 2 'type="unfinished"\|<translation></translation>\|<translation/>' "$work/$name" | grep '<source>' | head -n 40
    status=1
  fi
  messages=$(grep -c '<message>' "$work/$name" || true)
  echo "$name: $messages messages"
  [ "$messages" -gt 0 ] || { echo "$name holds no message"; status=1; }
done
exit "$status"
