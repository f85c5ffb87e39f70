# bash completion for kz7ctl                                -*- shell-script -*-
#
# The commands, their options and every name (functions, keys, media and
# launch rows, lighting modes, macros) come from the kz7ctl being completed,
# through "kz7ctl names KIND", so that this file never offers a word the
# program would refuse. Only the grammar of "set" is spelt out here.

# One kind of names from the kz7ctl on the line, one per line.
_kz7ctl_names() {
    "$_kz7ctl_program" names "$@" "${_kz7ctl_data_dir[@]}" 2>/dev/null
}

# A word of the line as the program will get it, without its quotes, in REPLY.
_kz7ctl_dequote() {
    REPLY=$1
    if [[ $REPLY == \'*\' || $REPLY == \"*\" ]] && ((${#REPLY} >= 2)); then
        REPLY=${REPLY:1:${#REPLY}-2}
    elif [[ $REPLY == [\'\"]* ]]; then
        REPLY=${REPLY:1}
    else
        REPLY=${REPLY//\\/}
    fi
}

# The value name of option $1 among the lines "--option VALUE-NAME" of $2, in REPLY.
_kz7ctl_value_name() {
    local line
    REPLY=""
    while IFS= read -r line; do
        if [[ $line == "$1 "* ]]; then
            REPLY=${line#* }
            return 0
        fi
    done <<<"$2"
    return 1
}

# COMPREPLY from candidates on standard input, one per line: those that
# start with the word being completed, escaped unless the word is quoted.
_kz7ctl_reply() {
    local line
    while IFS= read -r line; do
        [[ -n $line && $line == "$_kz7ctl_cur"* ]] || continue
        [[ -z $_kz7ctl_quoted ]] && printf -v line '%q' "$line"
        COMPREPLY+=("$line")
    done
}

# The words that follow the words $1 in the commands' names, each once:
# "macros" for "", "save" for "macros".
_kz7ctl_next_words() {
    local prefix=$1 name seen=$'\n'
    while IFS= read -r name; do
        if [[ -n $prefix ]]; then
            [[ $name == "$prefix "* ]] || continue
            name=${name#"$prefix "}
        fi
        name=${name%% *}
        [[ $seen == *$'\n'"$name"$'\n'* ]] && continue
        seen+=$name$'\n'
        printf '%s\n' "$name"
    done <<<"$_kz7ctl_commands"
}

_kz7ctl_files() {
    compopt -o filenames 2>/dev/null
    local IFS=$'\n'
    COMPREPLY+=($(compgen -f -- "$_kz7ctl_cur"))
}

_kz7ctl_dirs() {
    compopt -o filenames 2>/dev/null
    local IFS=$'\n'
    COMPREPLY+=($(compgen -d -- "$_kz7ctl_cur"))
}

# The value of option $1 whose value name is $2.
_kz7ctl_value() {
    case $2 in
        DIR) _kz7ctl_dirs ;;
        FILE) _kz7ctl_files ;;
        VALUE)
            [[ $1 == --dpi ]] && _kz7ctl_reply < <(_kz7ctl_names dpi "${_kz7ctl_sensor:-0}") ;;
        *'|'*) _kz7ctl_reply < <(tr '|' '\n' <<<"$2") ;;
    esac
}

# The words of "set", after the setting's name.
_kz7ctl_set() {
    local -a w=("$@")
    local n=${#w[@]}
    if ((n == 0)); then
        _kz7ctl_reply < <(printf '%s\n' button rate dpi lighting color dpi-led mode defaults pointer)
        return
    fi
    case ${w[0]}:$n in
        button:1) _kz7ctl_reply < <(printf '%s\n' 1 2 3 4 5 6) ;;
        button:2) _kz7ctl_reply < <(_kz7ctl_names words; _kz7ctl_names functions) ;;
        button:3)
            case ${w[2]} in
                key) _kz7ctl_reply < <(_kz7ctl_names keys) ;;
                fire) _kz7ctl_reply < <(_kz7ctl_names fire-keys) ;;
                media) _kz7ctl_reply < <(_kz7ctl_names media) ;;
                launch) _kz7ctl_reply < <(_kz7ctl_names launch) ;;
                macro) _kz7ctl_reply < <(_kz7ctl_names macros) ;;
                combo)
                    # "Left Ctrl+C+V": a modifier or key, then "+" and the next key.
                    if [[ $_kz7ctl_cur == *+* ]]; then
                        local head=${_kz7ctl_cur%+*}+ key
                        _kz7ctl_reply < <(_kz7ctl_names keys | while IFS= read -r key; do printf '%s\n' "$head$key"; done)
                    else
                        _kz7ctl_reply < <(_kz7ctl_names modifiers; _kz7ctl_names keys)
                    fi
                    ;;
            esac
            ;;
        rate:1) _kz7ctl_reply < <(_kz7ctl_names rates) ;;
        dpi:1 | dpi-led:1) _kz7ctl_reply < <(printf '%s\n' 1 2 3 4) ;;
        dpi-led:2) _kz7ctl_reply < <(printf '%s\n' r g b rg rb gb rgb) ;;
        lighting:1) _kz7ctl_reply < <(_kz7ctl_names lighting) ;;
        lighting:2) _kz7ctl_reply < <(_kz7ctl_names lighting "${w[1]}") ;;
        color:1) _kz7ctl_reply < <(printf '%s\n' 1 2 3 4 5 6 7 8) ;;
        mode:1) _kz7ctl_reply < <(printf '%s\n' A B) ;;
        defaults:1) _kz7ctl_reply < <(printf '%s\n' buttons pointer) ;;
        pointer:1) _kz7ctl_reply < <(printf '%s\n' speed wheel double-click precision one-screen) ;;
    esac
}

# The words after a command's name.
_kz7ctl_words() {
    local command=$1
    shift
    local -a w=("$@")
    local n=${#w[@]}
    case $command:$n in
        init:0 | show:0 | matrices:0 | "pointer "*:0 | export:0 | import:0) _kz7ctl_files ;;
        "macros save":1) _kz7ctl_files ;;
        "macros show":0 | "macros delete":0 | "macros loop":0 | "macros save":0)
            _kz7ctl_reply < <("$_kz7ctl_program" macros list "${_kz7ctl_data_dir[@]}" 2>/dev/null) ;;
        names:0) _kz7ctl_reply < <(_kz7ctl_names kinds) ;;
        names:*)
            case ${w[0]} in
                lighting) ((n == 1)) && _kz7ctl_reply < <(_kz7ctl_names lighting) ;;
                dpi) ((n == 1)) && _kz7ctl_reply < <(printf '%s\n' 0 1 2 3) ;;
                options) _kz7ctl_reply < <(_kz7ctl_next_words "${w[*]:1}") ;;
            esac
            ;;
        set:*) _kz7ctl_set "${w[@]}" ;;
    esac
}

_kz7ctl() {
    COMPREPLY=()
    local _kz7ctl_program=${COMP_WORDS[0]}
    local -a _kz7ctl_data_dir=()
    local _kz7ctl_sensor=""
    local _kz7ctl_cur _kz7ctl_quoted=""
    local word=${COMP_WORDS[COMP_CWORD]}
    [[ $word == [\'\"]* ]] && _kz7ctl_quoted=1
    # $2 is the word up to the cursor; after "--lang=" it is empty, or "=".
    _kz7ctl_dequote "${2-$word}"
    _kz7ctl_cur=$REPLY
    [[ $_kz7ctl_cur == = ]] && _kz7ctl_cur=""

    # The command (one word, or two for a group), its options with their
    # value names, and its words, read from the words before the cursor.
    local command="" options commands _kz7ctl_commands
    commands=$(_kz7ctl_names commands)
    _kz7ctl_commands=$commands
    options=$(_kz7ctl_names options)
    local -a words=()
    local i=1 only_words="" name pending=""
    while ((i < COMP_CWORD)); do
        _kz7ctl_dequote "${COMP_WORDS[i]}"
        word=$REPLY
        if [[ -n $pending ]]; then
            # bash splits "--repeat=2" into three words.
            if [[ $word == = ]]; then
                ((i++))
                continue
            fi
            [[ $pending == --data-dir ]] && _kz7ctl_data_dir=(--data-dir "${word/#\~/$HOME}")
            [[ $pending == --sensor ]] && _kz7ctl_sensor=$word
            pending=""
        elif [[ -z $only_words && $word == -- ]]; then
            only_words=1
        elif [[ -z $only_words && $word == -* && $word != - ]]; then
            _kz7ctl_value_name "$word" "$options" && pending=$word
        elif [[ -z $command ]] || { ((${#words[@]} == 0)) && [[ $'\n'$commands$'\n' == *$'\n'"$command $word"$'\n'* ]]; }; then
            command=${command:+$command }$word
            options=$(_kz7ctl_names options $command)
        else
            words+=("$word")
        fi
        ((i++))
    done

    # The value of an option: "--lang <TAB>", "--lang=<TAB>".
    if [[ -n $pending ]]; then
        _kz7ctl_value_name "$pending" "$options"
        _kz7ctl_value "$pending" "$REPLY"
        return 0
    fi

    if [[ -z $only_words && $_kz7ctl_cur == -* ]]; then
        _kz7ctl_reply <<<"$(while read -r name _; do printf '%s\n' "$name"; done <<<"$options")"
        return 0
    fi
    if [[ -z $command ]]; then
        _kz7ctl_reply < <(_kz7ctl_next_words "")
        return 0
    fi
    if ((${#words[@]} == 0)) && [[ $'\n'$commands == *$'\n'"$command "* ]]; then
        # A group: its commands.
        _kz7ctl_reply < <(_kz7ctl_next_words "$command")
        return 0
    fi
    _kz7ctl_words "$command" "${words[@]}"
    return 0
}

complete -F _kz7ctl kz7ctl
