#!/usr/bin/env bash
# The framework as another program takes it: installs the package of one Windows build into
# a temporary prefix, builds examples/settings_dialog from that prefix alone (same toolchain),
# checks that nothing of the source tree's headers was used and that the guide's snippets are
# the example's code, and runs the example's self-test under Wine: it drives the dialog's
# notifications, saves the settings and reads them back.
#   package_test.sh <source dir> <build dir> <i686|x86_64>
set -eu
src=$1 bin=$2 kind=$3
work=$bin/package-test
rm -rf "$work"
mkdir -p "$work"
fail() { echo "package test: $*" >&2; exit 1; }

cmake --install "$bin" --prefix "$work/prefix" --component skinui > "$work/install.log" || fail "install failed"
inc=$work/prefix/include/SkinUI
[ -f "$inc/SkinUI.h" ] && [ -f "$inc/Widgets.h" ] || fail "no SkinUI.h / Widgets.h"
if grep -nE '#include "ui/|QVX_' "$inc"/*.h || grep -rnF "$src" "$inc"; then
  fail "an installed header names the repository"
fi
if grep -n "SetDpiQuery\|dpi_query" "$inc"/*.h; then fail "a test seam reached the installed headers"; fi

cmake -S "$src/examples/settings_dialog" -B "$work/example" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  --toolchain "$src/cmake/toolchain-$kind-w64-mingw32.cmake" -DSkinUI_DIR="$work/prefix/lib/cmake/SkinUI" \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON > "$work/configure.log" || { cat "$work/configure.log"; fail "configure failed"; }
cmake --build "$work/example" || fail "the example does not build against the package"
# Built from the installed tree only: no include path into the source tree, no header read from it.
# (The build tree may sit inside the source tree, as build/ does: only include paths count.)
incs=$(grep -oE -- '-(I|isystem) ?[^ "]+' "$work/example/compile_commands.json" | sed -E 's/^-(I|isystem) ?//')
while read -r dir; do
  case $dir in
    "$src"/examples/* | "$work"/*) ;;
    "$src"/*) fail "source tree on a compile line ($dir)" ;;
  esac
done <<< "$incs"
if ninja -C "$work/example" -t deps | grep -E "^ +$src/(ui|support|launcher)/"; then
  fail "the example read the source tree's headers"
fi
# Every code block of the guide follows "<!-- from <file>, region <name> -->" and is the code
# between "// [guide:<name>]" and "// [/guide:<name>]" there, its common indentation taken off.
snippets=$work/snippets
mkdir -p "$snippets"
awk -v dir="$snippets" '
  /^<!-- from [^ ]+, region [a-z-]+ -->$/ { where = $3 " " $5; sub(/,/, "", where); next }
  /^```cpp/ { if (where == "") { print "line " NR ": a cpp block says not where it comes from"; bad = 1 }
              n++; print where > (dir "/" n ".where"); close(dir "/" n ".where"); code = 1; where = ""; next }
  code && /^```$/ { code = 0; close(dir "/" n ".cpp"); next }
  code { print > (dir "/" n ".cpp") }
  END { exit bad }' "$src/docs/using-skinui.md" || fail "the guide has an unmarked code block"
count=0
for where in "$snippets"/*.where; do
  [ -e "$where" ] || fail "the guide has no code block"
  read -r file region < "$where"
  sed -n "\|// \[guide:$region\]\$|,\|// \[/guide:$region\]|p" "$src/$file" | sed '1d;$d' > "$snippets/region"
  indent=$(grep -v '^$' "$snippets/region" | sed 's/[^ ].*//' | awk '{ print length }' | sort -n | head -n1)
  sed -E "s/^ {0,${indent:-0}}//" "$snippets/region" > "$snippets/expected"
  [ -s "$snippets/expected" ] || fail "$file has no region $region"
  cmp -s "$snippets/expected" "${where%.where}.cpp" || { diff -u "$snippets/expected" "${where%.where}.cpp";
    fail "the guide's block of $file, region $region, is not the code"; }
  count=$((count + 1))
done
echo "package test: $count snippets of the guide are the example's code"

settings="Z:$work/settings.ini"
"$src/cmake/wine-run" "$work/example/settings_dialog.exe" --self-test --settings "$settings" || fail "self-test failed"
tr -d '\r' < "$work/settings.ini" | grep -qx "nickname=Ada" || fail "settings.ini lacks the saved name"
echo "package test ($kind): installed, example built from the package and its self-test passed"
