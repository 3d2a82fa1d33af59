#!/usr/bin/env bash
# Checks a manual page against its tool's --help: every option, command and argument name that the
# help of the tool, of each command its help lists and of each SUBCOMMAND given shows must be in the
# page. A tool that is not there is a skip (exit 77), said on the output.
# usage: ManPageTest.sh PAGE TOOL [SUBCOMMAND...]
set -euo pipefail
page=$1 tool=$2
shift 2
name=$(basename "$tool")
if [ ! -x "$tool" ]; then
  echo "skipped: $tool is not in this tree, so its page $(basename "$page") is not compared"
  exit 77
fi

# The page's text without troff's font changes and escapes.
text=$(sed -e 's/\\f[BIRP]//g' -e 's/\\&//g' -e 's/\\(aq/'"'"'/g' -e 's/\\\\/\\/g' "$page")
missing=()
# in_page WORDS WHAT: WORDS must stand in the page as whole words ("-h" is not the one of "front-end").
in_page() {
  grep -qE -- "(^|[^A-Za-z0-9-])$(sed 's/[].[*^$\\]/\\&/g' <<<"$1")([^A-Za-z0-9-]|$)" <<<"$text" || missing+=("$1 ($2)")
}

help=$("$tool" --help)
# Commands are the lower-case words after the tool's name at a line's start, as in "zdz profile get FILE".
mapfile -t commands < <(sed -nE "s/^ *(usage: )?$name(( [a-z][a-z0-9-]*)+)( .*)?$/\2/p" <<<"$help" | sed 's/^ //' | sort -u)
commands+=("$@")
for command in "${commands[@]}"; do
  in_page "$name $command" "a command of '$name --help'"
  # shellcheck disable=SC2086 # the command's words are separate arguments
  help+=$'\n'$("$tool" $command --help)
done
mapfile -t options < <(grep -oE '(^|[^A-Za-z0-9_-])--?[A-Za-z][A-Za-z0-9-]*' <<<"$help" | sed -E 's/^[^-]*//' | sort -u)
for option in "${options[@]}"; do in_page "$option" "an option"; done
# Argument names are the upper-case words of usage lines: FILE, STATION-NAME, WIDTHxHEIGHT.
mapfile -t arguments < <(grep -E "^ *(usage: )?$name " <<<"$help" | grep -oE '\b[A-Z][A-Z0-9-]*(x[A-Z]+)?\b' | sort -u)
for argument in "${arguments[@]}"; do in_page "$argument" "an argument"; done

if [ ${#missing[@]} -gt 0 ]; then
  echo "$(basename "$page") lacks what $name's help shows:" >&2
  printf '  %s\n' "${missing[@]}" >&2
  exit 1
fi
echo "$(basename "$page"): ${#options[@]} options, ${#commands[@]} commands and ${#arguments[@]} argument names of the help are in the page"
