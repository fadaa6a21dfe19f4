#!/usr/bin/env bash
# The manual page of veyla-cli renders without a single groff warning, and it documents the
# same commands, options and version as the tool's own --help and --version: an option added
# to the tool, or dropped from it, without the page following fails here.
#
# Usage: man_page_test.sh MAN_PAGE [VEYLA_CLI]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

page=$1 cli=${2:-}

warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1) || fail "groff cannot render $page: $warnings"
[ -z "$warnings" ] || fail "groff warns about $page: $warnings"

# Plain text of the page: no overstriking, no hyphenation, so every option is whole.
text=$(groff -man -Tascii -rHY=0 -P-c -P-b -P-o -P-u "$page" 2>/dev/null)
for section in NAME SYNOPSIS DESCRIPTION OPTIONS ENVIRONMENT "EXIT STATUS" SECURITY; do
  grep -qx "$section" <<<"$text" || fail "the page has no $section section"
done
for status in 0 1 2 3 4 5; do
  grep -qE "^ +$status +[A-Z(]" <<<"$text" || fail "EXIT STATUS does not explain $status"
done

[ -n "$cli" ] || { echo "no veyla-cli built: page checked on its own"; exit 0; }

help=$("$cli" --help) || fail "veyla-cli --help failed"
options_in() { grep -oE -- '--[a-z][a-z-]*[a-z]' | sort -u; }
in_help=$(options_in <<<"$help")
in_page=$(options_in <<<"$text")
if [ "$in_help" != "$in_page" ]; then
  diff <(echo "$in_help") <(echo "$in_page") >&2 || true
  fail "options differ between --help and the page (< --help only, > page only)"
fi
for command in check hide read; do
  grep -qE "\bveyla-cli $command\b" <<<"$help" || fail "--help does not show the command $command"
  grep -qE "\bveyla-cli $command\b" <<<"$text" || fail "the page does not show the command $command"
done
grep -q VEYLA_PASSWORD <<<"$help" || fail "--help does not mention VEYLA_PASSWORD"
version=$("$cli" --version | awk '{ print $NF }')
grep -qE "^\.TH .*\"Veyla $version\"" "$page" || fail "the page's title line does not name Veyla $version"
echo "page renders cleanly; $(wc -l <<<"$in_page") options agree with --help"
