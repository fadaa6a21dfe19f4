#!/usr/bin/env bash
# `cmake --install` into a scratch DESTDIR under the prefix /usr/local: exactly the expected
# files arrive, the desktop entry validates and names the installed program and icon, the
# manual page is the source page compressed, nothing refers back to the source or build tree,
# and the installed command-line tool runs from there.
#
# Usage: install_test.sh BUILD_DIR SOURCE_DIR VERSION FILE...   (FILE relative to the prefix)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
unset VEYLA_PASSWORD

build_dir=$1 source_dir=$2 version=$3
shift 3
prefix=/usr/local

make_scratch root
DESTDIR="$root" cmake --install "$build_dir" --prefix "$prefix" >"$root.log" 2>&1 ||
  { cat "$root.log" >&2; rm -f "$root.log"; fail "cmake --install failed"; }
rm -f "$root.log"

expect_exact_files "$root" "$prefix" "$@"
for f in "$@"; do
  case $f in
    bin/*) [ -x "$root$prefix/$f" ] || fail "$f is not executable" ;;
  esac
done

desktop=$root$prefix/share/applications/veyla.desktop
if [ -f "$desktop" ]; then
  expect_valid_desktop_entry "$desktop"
  exec_line=$(grep '^Exec=' "$desktop")
  [ "$exec_line" = "Exec=veyla" ] || fail "the desktop entry starts '$exec_line'"
  [ -x "$root$prefix/bin/veyla" ] || fail "the desktop entry starts a program that is not installed"
  icons=$(find "$root$prefix/share/icons/hicolor" -path '*/apps/*' -type f 2>/dev/null || true)
  for icon in $icons; do
    [[ $(basename "$icon") == veyla.* ]] || fail "icon $icon is not named after Icon=veyla"
    # An icon theme picks a picture by its folder, so each must hold what its folder says.
    kind=$(file -b "$icon")
    case $icon in
      */scalable/apps/veyla.svg) [[ $kind == SVG* ]] || fail "$icon is $kind" ;;
      */[0-9]*x[0-9]*/apps/veyla.png)
        size=$(basename "$(dirname "$(dirname "$icon")")")
        [[ $kind == "PNG image data, ${size/x/ x }"* ]] || fail "$icon in $size is $kind" ;;
      *) fail "icon $icon is in no folder of the hicolor layout" ;;
    esac
  done
fi

man_page=$root$prefix/share/man/man1/veyla-cli.1.gz
if [ -f "$man_page" ]; then
  gzip -dc "$man_page" | cmp -s - "$source_dir/packaging/veyla-cli.1" ||
    fail "the installed manual page is not the source page"
fi

expect_no_rpath "$root"
expect_no_tree_paths "$root" "$source_dir" "$build_dir"

cli=$root$prefix/bin/veyla-cli
if [ -x "$cli" ]; then
  out=$(cd / && "$cli" --version) || fail "the installed veyla-cli --version failed"
  grep -qF "$version" <<<"$out" || fail "veyla-cli --version says '$out', not $version"
fi
echo "install layout under $prefix: $# files as expected"
