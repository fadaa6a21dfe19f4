#!/usr/bin/env bash
# Builds the Debian package with CPack into a scratch folder and inspects it as apt would see
# it: the control fields, the dependencies that make the programs run on a clean system, the
# file list and its modes, and the programs extracted from the package at work.
#
# Usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION DEPENDS FILE...
#   DEPENDS: comma-separated package names that Depends must name; FILE relative to /usr
set -euo pipefail
source "$(dirname "$0")/lib.sh"
unset VEYLA_PASSWORD

build_dir=$1 source_dir=$2 version=$3 depends=$4
shift 4

make_scratch pkg_dir
cpack --config "$build_dir/CPackConfig.cmake" -B "$pkg_dir" >"$pkg_dir/cpack.log" 2>&1 ||
  { cat "$pkg_dir/cpack.log" >&2; fail "cpack failed"; }

arch=$(dpkg --print-architecture)
deb=$pkg_dir/veyla_${version}_${arch}.deb
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$pkg_dir")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = veyla ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = utils ] || fail "Section is '$(field Section)'"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer is '$(field Maintainer)'"
[ -n "$(field Description | head -n1)" ] || fail "the package has no summary line"

# Depends as bare package names, one a line: "libc6 (>= 2.34), fonts-noto-cjk" -> libc6, ...
names=$(field Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/^ *//; s/ *$//' | sort -u)
IFS=, read -r -a wanted <<<"$depends"
for name in "${wanted[@]}"; do
  grep -qx -- "$name" <<<"$names" || fail "Depends lacks $name: $(field Depends)"
done
# Every dependency must exist in the distribution, or apt cannot install the package.
for name in $names; do
  apt-cache show --no-all-versions "$name" >/dev/null 2>&1 || fail "Depends names $name, which apt does not know"
done

# The file list: exactly the expected files, owned by root, programs 0755, data 0644.
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ { sub(/^\.\//, "/", $6); print $6 }' <<<"$listing" | sort)
expected=$(printf '/usr/%s\n' "$@" | sort)
[ "$files" = "$expected" ] || { diff <(echo "$expected") <(echo "$files") >&2 || true; fail "package file list differs (< expected, > packaged)"; }
awk '$2 != "root/root" { exit 1 }' <<<"$listing" || fail "package files not owned by root: $listing"
while read -r mode _ _ _ _ path _; do
  case $mode:$path in
    d*) ;;
    -rwxr-xr-x:./usr/bin/*) ;;
    -rw-r--r--:./usr/share/*) ;;
    *) fail "unexpected mode $mode for $path" ;;
  esac
done <<<"$listing"

make_scratch root
dpkg-deb -x "$deb" "$root"
expect_no_rpath "$root"
expect_no_tree_paths "$root" "$source_dir" "$build_dir"
[ ! -f "$root/usr/share/applications/veyla.desktop" ] || expect_valid_desktop_entry "$root/usr/share/applications/veyla.desktop"

cli=$root/usr/bin/veyla-cli
out=$(cd / && "$cli" --version) || fail "the packaged veyla-cli --version failed"
grep -qF "$version" <<<"$out" || fail "veyla-cli --version says '$out', not $version"
expect_cli_round_trip "$cli"

# The packaged window starts and keeps running (offscreen) until it is stopped; a missing
# library, plugin or file makes it end at once.
window=$root/usr/bin/veyla
if [ -x "$window" ]; then
  rc=0
  (cd / && QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$root timeout 2 "$window" >"$pkg_dir/window.log" 2>&1) || rc=$?
  [ "$rc" -eq 124 ] || { cat "$pkg_dir/window.log" >&2; fail "the packaged window ended with status $rc right after start-up"; }
fi
echo "$(basename "$deb"): $(wc -l <<<"$files") files, Depends: $(field Depends)"
