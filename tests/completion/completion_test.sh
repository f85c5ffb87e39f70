#!/usr/bin/env bash
# Shell completion of kz7ctl: the bash script registers itself, and both the
# bash and the zsh functions offer the candidates below for a few command
# lines, with the names coming from the kz7ctl being completed.
#
# usage: completion_test.sh SOURCE_DIR KZ7CTL
set -euo pipefail

src=$(cd "$1" && pwd)
kz7ctl=$(realpath "$2")
bash_script=$src/data/completion/kz7ctl.bash
zsh_folder=$src/data/completion
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A data folder with two macros, and a file to complete.
data=$work/data
mkdir -p "$data" "$work/cwd"
"$kz7ctl" init "$data/config.bin"
printf '[Reload]\nItemCount=1\nItem0=R   Dn\n[Jump Jump]\nItemCount=1\nItem0=Space   Dn\n' >"$data/record.ini"
touch "$work/cwd/game.json"

registered=$(bash --norc --noprofile -c 'source "$1"; complete -p kz7ctl' _ "$bash_script" 2>&1) || true
[ "$registered" = "complete -F _kz7ctl kz7ctl" ] || fail "bash: complete -p kz7ctl said: $registered"

# The candidates bash offers for a line whose last word is being completed, joined by "|".
bash_candidates() {
  (cd "$work/cwd" && bash --norc --noprofile -c '
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(( $# - 1 ))
    _kz7ctl kz7ctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$bash_script" "$kz7ctl" "$@") | paste -sd'|'
}

# The same for zsh; compadd and the file completers are stubs that print
# what they are given (compadd: the ones matching the prefix).
zsh_candidates() {
  (cd "$work/cwd" && zsh -f -c '
    fpath=("$1" $fpath); shift
    compadd() { [[ $1 == -- ]] && shift; local c; for c in "$@"; do [[ $c == ${(b)PREFIX}* ]] && print -r -- "$IPREFIX$c"; done; }
    compset() { [[ $1 == -P ]] || return 1; local rest=${PREFIX##$~2}; [[ $rest == $PREFIX ]] && return 1; IPREFIX+=${PREFIX%$rest}; PREFIX=$rest; }
    _files() { print -r -- "(files)"; }
    _directories() { print -r -- "(directories)"; }
    autoload -Uz _kz7ctl
    words=("$@"); CURRENT=$#; PREFIX=${(Q)words[CURRENT]}; IPREFIX=""
    _kz7ctl' _ "$zsh_folder" "$kz7ctl" "$@") | paste -sd'|'
}

# check SHELL EXPECTED WORDS...: the candidates are EXPECTED exactly, or
# with a leading "~" contain it.
check() {
  local shell=$1 expected=$2
  shift 2
  local actual
  actual=$("${shell}_candidates" "$@") || true
  if [[ $expected == "~"* ]]; then
    [[ "|$actual|" == *"|${expected#"~"}|"* ]] && return 0
  else
    [[ $actual == "$expected" ]] && return 0
  fi
  fail "$shell: kz7ctl ${*:1} -> [$actual], expected [$expected]"
}

dir=(--data-dir "$data")
for shell in bash zsh; do
  if [ "$shell" = zsh ] && ! command -v zsh >/dev/null; then
    echo "SKIP: zsh completion: zsh is not installed"
    continue
  fi
  # bash escapes blanks itself; zsh's compadd is given the names as they are.
  if [ "$shell" = bash ]; then sp='\ ' star='\*'; else sp=' ' star='*'; fi
  check $shell "~macros" ""
  check $shell "~names" ""
  check $shell "list|show|save|delete|loop|blocks|compile" macros ""
  check $shell "show|save" macros s
  check $shell "list|show|save|delete|loop|blocks|compile" "${dir[@]}" macros ""
  check $shell "--json|--sensor|--data-dir|--help" show --
  check $shell "en|chs|cht" labels --lang ""
  check $shell "xinput" pointer show --desktop x
  check $shell "~kinds" names ""
  check $shell "Standard${sp}Mode|Respiration${sp}Mode|Neon${sp}Mode" names lighting ""
  check $shell "show|save" names options macros s
  check $shell "button|rate|dpi|lighting|color|dpi-led|mode|defaults|pointer" set ""
  check $shell "~dpi-loop" set button 1 ""
  check $shell "~Left${sp}Click" set button 1 ""
  check $shell "Right${sp}Ctrl|Right${sp}Shift|Right${sp}Alt|Right${sp}Windows" set button 1 key "Right "
  check $shell "~Left${sp}Ctrl+Num${sp}${star}" set button 1 combo "Left Ctrl+Num"
  check $shell "Vol+|Vol-" set button 1 media Vo
  check $shell "Browser-Search|Browser-Stop" set button 1 launch Browser-S
  check $shell "Reload|Jump${sp}Jump" "${dir[@]}" set button 2 macro ""
  check $shell "Reload|Jump${sp}Jump" macros show "${dir[@]}" ""
  check $shell "8S|7S|6S|5S|4S" set lighting '"Respiration Mode"' ""
  check $shell "125|250|500|1000" set rate ""
  if [ "$shell" = bash ]; then
    check bash "Right Ctrl|Right Shift|Right Alt|Right Windows" set button 1 key '"Right '  # in quotes: left as they are
    check bash "chs|cht" labels --lang = c
    check bash "game.json" show ""
  else
    check zsh "--lang=chs|--lang=cht" labels --lang=c
    check zsh "(files)" show ""
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures completion check(s) failed"
  exit 1
fi
echo "completion checks passed"
