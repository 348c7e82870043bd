#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# No source steps around the include roots with "../" in an #include. Usage: check_includes.sh
# <source folder>
set -eu
cd "$1"
if grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][^">]*\.\./' \
    --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.in' --exclude-dir=build --exclude-dir=.git .; then
  echo "the includes above step around the include roots; include \"layer/header.h\" instead" >&2
  exit 1
fi
