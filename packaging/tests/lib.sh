# Helpers shared by the packaging tests. Source it from a bash script that runs under
# `set -euo pipefail`; every check ends the test at its first failure.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# make_scratch VAR: a fresh folder removed when the test ends, whatever the outcome.
make_scratch() {
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/veyla-packaging.XXXXXX")
  VEYLA_SCRATCH+=("$dir")
  trap 'rm -rf "${VEYLA_SCRATCH[@]}"' EXIT
  printf -v "$1" '%s' "$dir"
}
VEYLA_SCRATCH=()

# expect_exact_files ROOT PREFIX FILE...: ROOT/PREFIX holds exactly the files FILE... (paths
# relative to PREFIX), no fewer and no more.
expect_exact_files() {
  local root=$1 prefix=$2
  shift 2
  local expected actual
  expected=$(printf '%s\n' "$@" | sort)
  actual=$(cd "$root/$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
  if [ "$expected" != "$actual" ]; then
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    fail "files under $prefix differ from the expected set (< expected, > installed)"
  fi
}

# expect_no_rpath ROOT: no ELF file under ROOT carries an RPATH or RUNPATH.
expect_no_rpath() {
  local f
  while IFS= read -r -d '' f; do
    if file -b "$f" | grep -q '^ELF'; then
      if readelf -d "$f" | grep -E '\((RPATH|RUNPATH)\)'; then
        fail "$f carries a library search path"
      fi
    fi
  done < <(find "$1" -type f -print0)
}

# expect_no_tree_paths ROOT DIR...: no installed file names any of the folders DIR... (the
# source and build trees), which do not exist where the program is installed. Debug
# information may name them (debug builds); it is not read at run time, so it is left out.
expect_no_tree_paths() {
  local root=$1 f copy dir
  shift
  copy=$(mktemp "${TMPDIR:-/tmp}/veyla-packaging-file.XXXXXX")
  while IFS= read -r -d '' f; do
    if file -b "$f" | grep -q '^ELF'; then
      strip --strip-debug -o "$copy" "$f"
    else
      cp "$f" "$copy"
    fi
    for dir in "$@"; do
      if grep -qF -- "$dir" "$copy"; then
        rm -f "$copy"
        fail "installed file $f names $dir"
      fi
    done
  done < <(find "$root" -type f -print0)
  rm -f "$copy"
}

# expect_valid_desktop_entry FILE: desktop-file-validate finds no error and no warning
# (hints are advice, such as listing two main categories on purpose).
expect_valid_desktop_entry() {
  local report
  report=$(desktop-file-validate "$1" 2>&1) || fail "desktop-file-validate rejects $1: $report"
  if grep -E ': (error|warning):' <<<"$report"; then
    fail "desktop-file-validate complains about $1"
  fi
}

# expect_cli_round_trip CLI: the installed command-line tool hides a Chinese message under a
# password in a scratch picture and reads it back, leaving the picture's own bytes as they were.
expect_cli_round_trip() {
  local cli=$1 work out rc
  make_scratch work
  (
    cd "$work"
    printf '\377\330\377\340 a picture \000\001\002 \377\331' >pic.jpg
    cp pic.jpg before.jpg
    out=$("$cli" check pic.jpg) || fail "check of an ordinary picture failed"
    [ "$out" = "pic.jpg: no message" ] || fail "check of an ordinary picture said: $out"

    "$cli" hide pic.jpg --message '你好，Veyla' --password 'open sesame' || fail "hide failed"
    cmp -s -n "$(stat -c %s before.jpg)" before.jpg pic.jpg || fail "hide changed the picture's bytes"
    [ "$(stat -c %s pic.jpg)" -gt "$(stat -c %s before.jpg)" ] || fail "hide appended nothing"

    out=$("$cli" check pic.jpg) || fail "check of the carrier failed"
    [ "$out" = "pic.jpg: message, password set" ] || fail "check of the carrier said: $out"

    out=$("$cli" read pic.jpg --password 'open sesame') || fail "read with the password failed"
    [ "$out" = '你好，Veyla' ] || fail "read gave back: $out"

    rc=0
    "$cli" read pic.jpg </dev/null >/dev/null 2>&1 || rc=$?
    [ "$rc" -eq 4 ] || fail "read without the password exited $rc, not 4"
  )
}
