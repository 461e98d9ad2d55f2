# Bash completion for orvant-in: the program options, the values of --view
# and --up, model paths for --model, directories for --output-dir, file
# names for --picture and --vtk. Plain bash (complete -F and compgen): it
# needs no helpers from the bash-completion package, which loads it when
# installed.

# Each program option, one a line, with what its value is: nothing (a flag),
# @model, @dir, @file, @any (a value nothing completes), or the words it takes.
_orvant_in_options=(
    --model=@model
    --output-dir=@dir
    --picture=@file
    --vtk=@file
    '--view=iso xy yz xz'
    '--up=x y z'
    --load-case=@any
    --labels
    --no-labels
    --help
    --version
)

# Model paths starting with $1: every file of a model's family (the files
# that share its path and differ in extension) offers the model once, by its
# path without extension. A file belongs to a model when its path, with
# extensions dropped one at a time, is that of a model size file (.XSZ); the
# names match without regard to letter case, as model folders come from
# Windows and the program finds them so. Directories are offered to go on into.
_orvant_in_models() {
    local dir='' entry base key
    local -A models=() offered=()
    [[ $1 == */* ]] && dir=${1%/*}/
    while IFS= read -r entry; do
        base=${entry%.*}
        [[ ${entry,,} == *.xsz && -f $entry ]] && models[${base,,}]=1
    done < <(compgen -f -- "$dir")
    while IFS= read -r entry; do
        if [[ -d $entry ]]; then
            COMPREPLY+=("$entry")
            continue
        fi
        base=$entry
        while [[ ${base##*/} == ?*.* ]]; do
            base=${base%.*}
            key=${base,,}
            [[ -n ${models[$key]+x} ]] || continue
            # The model size file's own spelling wins over another file's.
            [[ -z ${offered[$key]+x} || ${entry,,} == "$key.xsz" ]] && offered[$key]=$base
            break
        done
    done < <(compgen -f -- "$1")
    COMPREPLY+=("${offered[@]}")
}

_orvant_in() {
    local cur=${COMP_WORDS[COMP_CWORD]} option='' entry value
    # --name=VALUE: bash splits it at the "=".
    if [[ $cur == = ]]; then
        option=${COMP_WORDS[COMP_CWORD-1]} cur=''
    elif ((COMP_CWORD > 1)) && [[ ${COMP_WORDS[COMP_CWORD-1]} == = ]]; then
        option=${COMP_WORDS[COMP_CWORD-2]}
    elif ((COMP_CWORD > 0)); then
        option=${COMP_WORDS[COMP_CWORD-1]}
    fi
    COMPREPLY=()

    for entry in "${_orvant_in_options[@]}"; do
        [[ $entry == "$option="* ]] || continue
        value=${entry#*=}
        case $value in
        @model)
            compopt -o filenames 2>/dev/null
            _orvant_in_models "$cur"
            ;;
        @dir)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            ;;
        @file)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            ;;
        @any) ;;
        *) mapfile -t COMPREPLY < <(compgen -W "$value" -- "$cur") ;;
        esac
        return 0
    done

    if [[ -z $cur || $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "${_orvant_in_options[*]%%=*}" -- "$cur")
    fi
    return 0
}

complete -F _orvant_in orvant-in
