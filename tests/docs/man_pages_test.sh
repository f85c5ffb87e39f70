#!/usr/bin/env bash
# The manual pages render without a single warning, carry the project's
# version, and name every command and option the programs really have:
# kz7ctl's from its own tables ("kz7ctl names"), kz7's from "kz7 --help".
#
# usage: man_pages_test.sh SOURCE_DIR VERSION KZ7CTL [KZ7]
set -euo pipefail

src=$1
version=$2
kz7ctl=$3
kz7=${4:-}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The page as plain text, hyphens and quotes in ASCII.
render() { groff -man -Tascii -P-cbou "$1" 2>/dev/null; }
# Whether the rendered text names `word` on its own (not as part of a longer option or word).
names_word() {
  local text=$1 word=$2
  grep -qF -- "$word" <<<"$text" || return 1
  local escaped
  escaped=$(printf '%s' "$word" | sed 's/[][\.*^$+?(){}|/]/\\&/g')
  grep -qE -- "(^|[^[:alnum:]-])${escaped}([^[:alnum:]-]|\$)" <<<"$text"
}

for page in "$src/docs/man/kz7ctl.1" "$src/docs/man/kz7.1"; do
  name=$(basename "$page")
  warnings=$(groff -man -ww -z "$page" 2>&1) || fail "$name: groff failed"
  [ -z "$warnings" ] || fail "$name: groff -man -ww: $warnings"
  if command -v man >/dev/null; then
    warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) || fail "$name: man -l failed"
    [ -z "$warnings" ] || fail "$name: man --warnings -l: $warnings"
  fi
  grep -q "^\.TH .*\"kz7 $version\"" "$page" || fail "$name: .TH does not name kz7 $version"
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES "EXIT STATUS" EXAMPLES "SEE ALSO"; do
    grep -q "^\.SH \"\?$section\"\?\$" "$page" || fail "$name: no $section section"
  done
done

text=$(render "$src/docs/man/kz7ctl.1")
grep -q '^\.SH ENVIRONMENT$' "$src/docs/man/kz7ctl.1" || fail "kz7ctl.1: no ENVIRONMENT section"
mapfile -t commands < <("$kz7ctl" names commands)
[ ${#commands[@]} -gt 10 ] || fail "kz7ctl names commands listed only ${#commands[@]} commands"
for command in "${commands[@]}"; do
  names_word "$text" "$command" || fail "kz7ctl.1 does not name the command \"$command\""
  # shellcheck disable=SC2086 # "macros save" is two words of the command line
  while read -r option _; do
    names_word "$text" "$option" || fail "kz7ctl.1 does not name $option of \"$command\""
  done < <("$kz7ctl" names options $command)
done
while read -r option _; do
  names_word "$text" "$option" || fail "kz7ctl.1 does not name the program's option $option"
done < <("$kz7ctl" names options)
while read -r kind; do
  names_word "$text" "$kind" || fail "kz7ctl.1 does not name the names kind $kind"
done < <("$kz7ctl" names kinds)

if [ -n "$kz7" ]; then
  text=$(render "$src/docs/man/kz7.1")
  options=$(QT_QPA_PLATFORM=offscreen "$kz7" --help | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u)
  [ -n "$options" ] || fail "kz7 --help listed no option"
  for option in $options; do
    names_word "$text" "$option" || fail "kz7.1 does not name the option $option of kz7 --help"
  done
else
  echo "kz7 not built: its options are not compared with kz7.1"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures manual page check(s) failed"
  exit 1
fi
echo "manual pages: no warning, every command and option named"
