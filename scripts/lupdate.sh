#!/bin/sh
# Refreshes the Chinese catalogues (resources/translations/zh_CN/*.ts) from
# the sources: one catalogue per area of the program, each fed by the source
# folders and files listed below. Every source file belongs to exactly one
# area; a file of none stops the run, so that a new folder is not left out.
#
#   scripts/lupdate.sh            update the catalogues in place
#   scripts/lupdate.sh --check    update a temporary copy and fail when an
#                                 entry is unfinished or missing there, or
#                                 when lupdate warns about a text it cannot
#                                 place (the catalogues are left alone)
#
# Safe to re-run: translations are kept, new texts arrive unfinished, and
# texts gone from the sources stay as vanished entries (not compiled).
# lupdate is taken from $LUPDATE, else from PATH (Debian: qttools5-dev-tools).
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-lupdate}
cd "$top"

# area  sources (folders or files, relative to the top)
areas='
audio     src/console/audio src/console/power
batch     src/console/batch
control   src/console/control
core      inc/hoi_core src/hoi_core
devlist   src/console/devlist src/console/dialogs/dlgcreategroup.* src/console/dialogs/dlgdevedit.*
grid      src/console/hoiwidget src/console/dialogs/dlgsceneedit.* src/console/dialogs/dlgvideovallprop.*
mainwindow src/console/mainwindow
navtree   src/console/navtree src/console/docks src/console/dialogs/about.* src/console/dialogs/dlgprompt.* src/console/dialogs/dlgwelcome.* src/console/dialogs/dlggroup.*
schedule  src/console/schedule
settings  src/console/settings
shell     src/console/main.cpp src/console/uiservices.* src/console/platform
tiles     src/console/tiles src/console/dialogs/dlgranklayout.* src/console/dialogs/dlgrxchangegroup.* src/console/dialogs/dlgvwedit.*
upload    src/console/upload
vtx       src/console/vtx src/console/edid src/console/overlay
'

check=0
case "$1" in
  --check) check=1 ;;
  "") ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
catalogues=resources/translations/zh_CN
out=$catalogues
if [ "$check" = 1 ]; then
  out=$work/zh_CN
  mkdir -p "$out"
  cp "$catalogues"/*.ts "$out"/
fi

sources() {
  # shellcheck disable=SC2086  # the globs of the area list expand here
  find $* -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.ui' \) | LC_ALL=C sort
}

sources src inc > "$work/all"
: > "$work/placed"
echo "$areas" | while read -r area paths; do
  [ -n "$area" ] || continue
  sources $paths > "$work/$area.lst"
  cat "$work/$area.lst" >> "$work/placed"
  # lupdate prints its warnings (a tr() it cannot place) on stderr.
  "$lupdate" -silent -locations none -no-ui-lines \
    -target-language zh_CN -I src/console -I inc "@$work/$area.lst" -ts "$out/$area.ts" 2>> "$work/warnings"
done

LC_ALL=C sort "$work/placed" | uniq -d > "$work/twice"
LC_ALL=C sort -u "$work/placed" | LC_ALL=C comm -23 "$work/all" - > "$work/unplaced"
status=0
if [ -s "$work/unplaced" ] || [ -s "$work/twice" ]; then
  echo "lupdate.sh: give every source file exactly one area:" >&2
  sed 's/^/  no area: /' "$work/unplaced" >&2
  sed 's/^/  two areas: /' "$work/twice" >&2
  status=1
fi
if [ -s "$work/warnings" ]; then
  cat "$work/warnings" >&2
  [ "$check" = 1 ] && status=1
fi

if [ "$check" = 1 ]; then
  # Reports each entry without a translation, and each text that two
  # catalogues translate differently (the program would show only one).
  awk '
    BEGIN { RS = "</message>" }
    FNR == 1 { file = FILENAME; sub(".*/", "", file) }
    match($0, /<name>[^<]*<[/]name>/) { ctx = substr($0, RSTART + 6, RLENGTH - 13) }
    !match($0, /<source>[^<]*<[/]source>/) { next }
    {
      src = substr($0, RSTART + 8, RLENGTH - 17)
      key = ctx " / " src
      if (match($0, /<comment>[^<]*<[/]comment>/)) key = key " / " substr($0, RSTART + 9, RLENGTH - 19)
    }
    /type="(vanished|obsolete)"/ { next }
    /type="unfinished"/ { print file ": unfinished: " key; bad = 1; next }
    match($0, /<translation>[^<]*<[/]translation>/) {
      text = substr($0, RSTART + 13, RLENGTH - 27)
      if (key in seen && seen[key] != text) {
        print file ": translated unlike " where[key] ": " key; bad = 1
      } else if (!(key in seen)) {
        seen[key] = text; where[key] = file
      }
    }
    END { exit bad }
  ' "$out"/*.ts >&2 || status=1
fi
exit $status
