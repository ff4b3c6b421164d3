#!/usr/bin/env bash
# The bash completion of tamsel-gen, sourced as bash-completion would: verbs, the options
# of each verb (the same as its --help lists), profiles and output files.
# Usage: completion_test.sh COMPLETION TAMSEL_GEN
set -euo pipefail
completion=$1
gen=$2
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# shellcheck source=/dev/null
source "$completion"
# What completing the line (the cursor at its end) offers, sorted, one a line.
offered() {
    read -ra COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _tamsel_gen
    ((${#COMPREPLY[@]})) && printf '%s\n' "${COMPREPLY[@]}" | sort
    return 0
}
expect() {
    local got
    got=$(offered "$1")
    [ "$got" = "$2" ] || fail "'$1' offered [$got], not [$2]"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir profiles
touch emp.json dept.json notes.txt

expect "tamsel-gen p" "package"
expect "tamsel-gen --v" "--version"
expect "tamsel-gen vb " $'dept.json\nemp.json\nprofiles'
expect "tamsel-gen vb e" "emp.json"
expect "tamsel-gen package emp.json -o " $'dept.json\nemp.json\nnotes.txt\nprofiles'
expect "tamsel-gen csv --check n" "notes.txt"
expect "tamsel-gen package --s" "--strict"
expect "tamsel-gen csv --s" ""
expect "tamsel-gen nosuch " ""

# Every verb the program lists is offered, and each verb's options are those of its --help.
verbs=$("$gen" --help | sed -n 's/^  tamsel-gen \([a-z][a-z]*\) .*/\1/p' | sort)
[ -n "$verbs" ] || fail "no verbs in tamsel-gen --help"
expect "tamsel-gen " "$(printf '%s\n' $verbs --help --version | sort)"
for verb in $verbs; do
    listed=$("$gen" "$verb" --help | grep -oE '^  (-[-a-z0-9]+(, )?)+|, --[a-z0-9]+' |
        grep -oE -- '-[-a-z0-9]+' | sort -u)
    expect "tamsel-gen $verb -" "$listed"
done
echo "ok: completion"
