#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the desktop integration as `cmake --install` lays it out, so that no root and no
# package are needed. CTest runs one CHECK per test:
#
#   check_installed_tree.sh STAGE install CMAKE BUILD_DIR   installs BUILD_DIR below STAGE, as /usr
#   check_installed_tree.sh STAGE desktop-entry|appstream|man-pages|icons|systemd-units
#   check_installed_tree.sh STAGE versions VERSION
#
# A check whose tool is missing exits with 77, which CTest reports as skipped.
set -euo pipefail

stage=$1
check=$2
shift 2
usr=$stage/usr
share=$usr/share

failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}
needs() {
  command -v "$1" >/dev/null ||
    { echo "skipped: $1 is missing (Debian package $2, which scripts/install-deps installs)"; exit 77; }
}

desktop_entry=$share/applications/tavo-panel.desktop

case $check in
install)
  cmake=$1 build_dir=$2
  rm -rf "$stage"
  # What goes to /etc whatever the prefix lands below the stage too.
  DESTDIR=$stage "$cmake" --install "$build_dir" --prefix /usr
  ;;

desktop-entry)
  needs desktop-file-validate desktop-file-utils
  desktop-file-validate "$desktop_entry" || fail "desktop-file-validate rejects $desktop_entry"
  for program in $(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop_entry"); do
    [ -x "$usr/bin/$program" ] || fail "Exec names $program, which is not installed"
  done
  ;;

appstream)
  needs appstreamcli appstream
  for metainfo in "$share"/metainfo/*.metainfo.xml; do
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejects $metainfo"
    for id in $(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo"); do
      [ -f "$share/applications/$id" ] || fail "$metainfo launches $id, which is not installed"
    done
  done
  appstreamcli validate-tree --no-net "$stage" || fail "appstreamcli validate-tree rejects the tree"
  ;;

man-pages)
  needs man man-db
  for program in "$usr"/bin/*; do
    page=$share/man/man1/$(basename "$program").1.gz
    if [ ! -f "$page" ]; then
      fail "$(basename "$program") has no man page"
      continue
    fi
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) ||
      fail "man cannot render $page"
    [ -z "$warnings" ] || fail "$page renders with warnings:"$'\n'"$warnings"
  done
  ;;

icons)
  # Width and height from a PNG's IHDR chunk, as WxH; nothing if the file is no PNG.
  png_size() {
    # shellcheck disable=SC2046
    set -- $(od -An -v -tu1 -N24 "$1")
    [ $# -eq 24 ] && [ "$1 $2 $3 $4 ${13} ${14} ${15} ${16}" = "137 80 78 71 73 72 68 82" ] || return 0
    echo "$(((${17} << 24) | (${18} << 16) | (${19} << 8) | ${20}))x$(((${21} << 24) | (${22} << 16) | (${23} << 8) | ${24}))"
  }
  for png in "$share"/icons/hicolor/*x*/apps/*.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    actual=$(png_size "$png")
    [ "$actual" = "$size" ] || fail "$png is ${actual:-no PNG}, not $size"
  done
  # 48x48 is the size every icon theme falls back to; the scalable one serves the rest.
  icon=$(sed -n 's/^Icon=//p' "$desktop_entry")
  [ -f "$share/icons/hicolor/48x48/apps/$icon.png" ] || fail "no 48x48 icon $icon.png"
  grep -qs '<svg' "$share/icons/hicolor/scalable/apps/$icon.svg" || fail "no scalable icon $icon.svg"
  ;;

systemd-units)
  needs systemd-analyze systemd
  # The staged tree as the root, with the system's targets and slices that every service is
  # ordered against; the man pages come from the stage.
  root=$(mktemp -d)
  trap 'rm -rf "$root"' EXIT
  cp -a "$usr" "$root/usr"
  mkdir -p "$root/etc/systemd/system"
  for unit in /lib/systemd/system/*.target /lib/systemd/system/*.slice; do
    [ -e "$root/usr/lib/systemd/system/$(basename "$unit")" ] || cp "$unit" "$root/usr/lib/systemd/system/"
  done
  units=("$usr"/lib/systemd/system/*.service)
  [ -f "${units[0]}" ] || fail "no systemd service is installed below $usr/lib/systemd/system"
  for unit in "${units[@]}"; do
    [ -f "$unit" ] || continue
    name=$(basename "$unit")
    # A template is verified through an instance of it.
    [[ $name == *@.service ]] && name=${name/@./@check.}
    # Unknown settings are only warned about, so any output fails the check as well.
    output=$(MANPATH=$share/man SYSTEMD_LOG_COLOR=0 systemd-analyze verify --root="$root" "$name" 2>&1) ||
      fail "systemd-analyze verify rejects $name:"$'\n'"$output"
    [ -z "$output" ] || fail "systemd-analyze verify warns about $name:"$'\n'"$output"
    grep -qx 'DynamicUser=yes' "$unit" || fail "$name does not run as a dynamic user"
    grep -q '^\[Install\]' "$unit" && [ ! -e "$usr/lib/systemd/system/multi-user.target.wants/$(basename "$unit")" ] ||
      fail "$name is enabled by the installation, or cannot be enabled"
  done
  # The man page's recipe copies the example configuration into this folder.
  [ -d "$stage/etc/tavo/pjlink" ] && [ "$(stat -c %a "$stage/etc/tavo/pjlink")" = 755 ] ||
    fail "the folder of the bridge's configurations, /etc/tavo/pjlink, is not installed with mode 755"
  ;;

versions)
  version=$1
  # Whole files are read before matching: a reader that stops early would fail the pipeline.
  for page in "$share"/man/man1/*.1.gz; do
    title=$(grep -m1 '^\.TH' <<<"$(zcat "$page")") || true
    [[ $title == *" \"tavo-panel $version\" "* ]] ||
      fail "$(basename "$page") is not the page of tavo-panel $version: $title"
  done
  for metainfo in "$share"/metainfo/*.metainfo.xml; do
    newest=$(grep -m1 '<release ' "$metainfo") || true
    grep -qF "version=\"$version\"" <<<"$newest" || fail "the newest release in $metainfo is $newest"
  done
  newest=$(head -n 1 <<<"$(zcat "$share/doc/tavo-panel/changelog.Debian.gz")")
  [[ $newest == "tavo-panel ($version-"* ]] || fail "the newest entry of changelog.Debian.gz is $newest"
  for program in "$usr"/bin/*; do
    said=$(QT_QPA_PLATFORM=offscreen "$program" --version 2>&1) || true
    [ "$said" = "$(basename "$program") $version" ] || fail "$(basename "$program") --version says: $said"
  done
  ;;

*)
  echo "check_installed_tree.sh: unknown check $check" >&2
  exit 2
  ;;
esac

[ "$failed" -eq 0 ] && echo "ok: $check"
exit "$failed"
