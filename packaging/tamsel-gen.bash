# bash completion for tamsel-gen: its verbs, the options each verb takes, and profiles
# (*.json). Installed as share/bash-completion/completions/tamsel-gen, where bash-completion
# loads it the first time tamsel-gen is completed; it needs nothing of bash-completion.

_tamsel_gen() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local IFS=$'\n'
    COMPREPLY=()

    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W $'package\nvb\ncsv\ntables\nsnapshot\n--help\n--version' \
            -- "$cur"))
        return
    fi

    # The options of each verb, as its --help lists them.
    local options
    case ${COMP_WORDS[1]} in
    package | vb) options=$'-o\n--output\n--check\n--utf8\n--strict' ;;
    csv) options=$'-o\n--output\n--check\n--utf8' ;;
    tables) options= ;;
    snapshot) options=$'-o\n--output' ;;
    *) return ;;
    esac
    options+=$'\n-q\n--quiet\n-h\n--help'

    # "--output=FILE": bash splits the word at "=".
    [[ $cur == = ]] && return
    [[ $prev == = ]] && prev=${COMP_WORDS[COMP_CWORD - 2]}

    compopt -o filenames 2>/dev/null
    case $prev in
    -o | --output | --check)
        COMPREPLY=($(compgen -f -- "$cur"))
        return
        ;;
    esac
    if [[ $cur == -* ]]; then
        compopt +o filenames 2>/dev/null
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    COMPREPLY=($(compgen -f -X '!*.json' -- "$cur") $(compgen -d -- "$cur"))
}
complete -F _tamsel_gen tamsel-gen
