#!/bin/bash
# completion_test.sh COMPLETION_FILE: what bash offers for wordoria-cli, word
# by word, as a user pressing Tab gets it.
set -u
fail() { echo "FAIL: $*" >&2; exit 1; }
# shellcheck source=/dev/null
. "${1:?usage: completion_test.sh COMPLETION_FILE}" || fail "cannot read $1"
[ "$(complete -p wordoria-cli)" = "complete -F _wordoria_cli wordoria-cli" ] || fail "wordoria-cli has no completion"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1
mkdir folder -- --odd
touch words.csv -- --dry-run

# offers EXPECTED WORD...: the line as words, the last the one being completed.
offers() {
    local expected=$1
    shift
    COMP_WORDS=(wordoria-cli "$@")
    COMP_CWORD=$#
    COMP_LINE="wordoria-cli $*"
    COMP_POINT=${#COMP_LINE}
    _wordoria_cli
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
    [ "$got" = "$expected " ] || fail "wordoria-cli $* <Tab>: offered '$got', not '$expected '"
}

offers "check export import list search" ""
offers "export" ex
offers "-- --data --help --version -h" -
offers "-- --bom --data --help --keep-going --version" export -
offers "--dry-run" import --dr
offers "-- --data --help --version" list -
offers "--dry-run --odd folder words.csv" import ""
offers "words.csv" import --dry-run w
offers "--dry-run --odd" import -- --
offers "--odd folder" --data ""
offers "folder" list --data f
offers "folder" --data = f
offers "import" --data folder im
offers "words.csv" --data=folder import w
offers "" search ""
offers "" export ""
echo "completion: passed"
