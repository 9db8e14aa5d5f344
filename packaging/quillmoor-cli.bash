# Tab completion for quillmoor-cli: its commands and options, .wad files where a WAD goes,
# folders where a FOLDER goes, and files or folders where a SOURCE goes.

# The completions of cur of one kind: wad, wads (with backups, for diff), folder or source.
# Folders are offered with each, so the user can walk down to the file.
_quillmoor_cli_paths() {
  local kind=$1 cur=$2 IFS=$'\n'
  compopt -o filenames 2>/dev/null
  case $kind in
    wad) COMPREPLY=($(compgen -d -- "$cur") $(compgen -f -X '!*.[wW][aA][dD]' -- "$cur")) ;;
    wads) COMPREPLY=($(compgen -d -- "$cur") $(compgen -f -X '!*.[wW][aA][dD]' -- "$cur")
      $(compgen -f -X '!*.[wW][aA][dD].bak' -- "$cur")) ;;
    folder) COMPREPLY=($(compgen -d -- "$cur")) ;;
    source) COMPREPLY=($(compgen -f -- "$cur")) ;;
  esac
}

# The options of a command, long and short, and "--" that ends them.
_quillmoor_cli_options() {
  case $1 in
    extract) echo '-q --quiet -v --verbose -O --to-stdout' ;;
    create) echo '-q --quiet --no-backup' ;;
    update) echo '-q --quiet -v --verbose --dry-run --no-backup' ;;
    update-tracks) echo '-q --quiet -v --verbose --dry-run --no-backup --game-folder' ;;
    undo) echo '-q --quiet' ;;
    undo-tracks) echo '-q --quiet --game-folder' ;;
  esac
  echo '-- --help'
}

_quillmoor_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local command=${COMP_WORDS[1]}
  COMPREPLY=()

  if ((COMP_CWORD == 1)); then
    COMPREPLY=($(compgen -W 'list extract create update update-tracks undo undo-tracks test diff --help --version' -- "$cur"))
    return
  fi

  # Which operand is being typed: options, and the folder of --game-folder (one word behind
  # it, or behind the '=' that bash splits off), don't count; behind "--" every word does.
  local operand=0 i word ended=0 stdout=0
  for ((i = 2; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if ((ended)); then
      ((operand++))
      continue
    fi
    case $word in
      --) ended=1 ;;
      --game-folder)
        [[ ${COMP_WORDS[i + 1]} == = ]] && i=$((i + 1))
        i=$((i + 1))
        ;;
      -O | --to-stdout | -[qv]*O*) stdout=1 ;;
      -*) ;;
      *) ((operand++)) ;;
    esac
  done

  if ((!ended)); then
    if [[ $prev == --game-folder || ($prev == = && ${COMP_WORDS[COMP_CWORD - 2]} == --game-folder) ]]; then
      _quillmoor_cli_paths folder "$cur"
      return
    fi
    if [[ $cur == --game-folder=* ]]; then
      _quillmoor_cli_paths folder "${cur#--game-folder=}"
      COMPREPLY=("${COMPREPLY[@]/#/--game-folder=}")
      return
    fi
    if [[ $cur == -* ]]; then
      COMPREPLY=($(compgen -W "$(_quillmoor_cli_options "$command")" -- "$cur"))
      return
    fi
  fi

  # extract WAD [FOLDER] [PATTERN...], or with -O: WAD [PATTERN...]; patterns are the user's.
  case $command:$operand in
    list:0 | extract:0 | update:0 | create:1 | undo:0 | test:0) _quillmoor_cli_paths wad "$cur" ;;
    diff:0 | diff:1) _quillmoor_cli_paths wads "$cur" ;;
    extract:1) ((stdout)) || _quillmoor_cli_paths folder "$cur" ;;
    create:0) _quillmoor_cli_paths folder "$cur" ;;
    update:* | update-tracks:*) _quillmoor_cli_paths source "$cur" ;;
  esac
}

complete -F _quillmoor_cli quillmoor-cli
