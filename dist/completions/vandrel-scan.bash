# bash completion for vandrel-scan: its options, a date after --start and
# --end (nothing to offer), and Horizons tables (.txt files) for FILE and
# after --sun.

_comp_vandrel_scan() {
    local cur prev words cword split
    _init_completion -s || return

    case $prev in
        --start | --end)
            return
            ;;
        --sun)
            _filedir txt
            return
            ;;
    esac
    $split && return

    local word
    for word in "${words[@]:1:cword-1}"; do
        if [[ $word == -- ]]; then
            _filedir txt
            return
        fi
    done

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--least --most --start --end --sun --passages --json --help --version --' -- "$cur"))
        return
    fi
    _filedir txt
} &&
    complete -F _comp_vandrel_scan vandrel-scan
