#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every program's --help under LANG=ja_JP.UTF-8 is Japanese and polite throughout: Qt's own lines
# (-h, --help-all, -v), which Qt's Japanese gives in the plain form, read in the です/ます form of
# the programs' texts beside them. A plain-form sentence ends in る。.
#
#   check_japanese_help.sh PROGRAM...
set -uo pipefail

status=0
for program in "$@"; do
  name=$(basename "$program")
  text=$(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=ja_JP.UTF-8 QT_QPA_PLATFORM=offscreen "$program" --help 2>&1)
  if ! grep -q '^使い方: ' <<<"$text"; then
    echo "$name --help is not in Japanese:"
    echo "$text"
    status=1
    continue
  fi
  plain=$(grep 'る。$' <<<"$text")
  if [ -n "$plain" ]; then
    echo "$name --help has lines in the plain form:"
    echo "$plain"
    status=1
  fi
  echo "$name: $(wc -l <<<"$text") lines"
done
exit "$status"
