#!/usr/bin/env bash
# Drives the bash completion of gallorim-cli as bash does on a Tab press.
# usage: check-completion.sh COMPLETION_FILE
set -uo pipefail
source /usr/share/bash-completion/bash_completion
source "$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/photos"
touch "$work/a.jpg" "$work/b.HEIC" "$work/notes.txt" "$work/galerie.glr"
cd "$work" || exit 1
failures=0

# Completes the command line `$1` (the cursor at its end) and compares the
# sorted candidates with `$2`.
expect() {
  local line=$1 want=$2
  read -r -a COMP_WORDS <<<"$line"
  [[ $line == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  _gallorim_cli gallorim-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | xargs)
  if [ "$got" != "$want" ]; then
    echo "FAIL: '$line' completes to '$got', not '$want'" >&2
    failures=$((failures + 1))
  fi
}

expect "gallorim-cli " "--help --version build info thumb"
expect "gallorim-cli b" "build"
expect "gallorim-cli build --li" "--lines --link"
expect "gallorim-cli build --link " "fullscreen none popup same window"
expect "gallorim-cli build --mode " "0 1 2 3 4 5"
expect "gallorim-cli thumb --q" "--quality"
expect "gallorim-cli info " "a.jpg b.HEIC photos"
expect "gallorim-cli build -q " "a.jpg b.HEIC galerie.glr photos"
expect "gallorim-cli build --save " "galerie.glr photos"
expect "gallorim-cli build --root " "photos"
exit $((failures > 0))
