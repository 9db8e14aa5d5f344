# Tab completion for quillmoor-cli: its commands and options, .wad files where a WAD goes,
# folders where a FOLDER goes, and files or folders where a SOURCE goes.

# The completions of cur of one kind: wad, folder or source. Folders are offered with each, so
# the user can walk down to the file.
_quillmoor_cli_paths() {
  local kind=$1 cur=$2 IFS=$'\n'
  compopt -o filenames 2>/dev/null
  case $kind in
    wad) COMPREPLY=($(compgen -d -- "$cur") $(compgen -f -X '!*.[wW][aA][dD]' -- "$cur")) ;;
    folder) COMPREPLY=($(compgen -d -- "$cur")) ;;
    source) COMPREPLY=($(compgen -f -- "$cur")) ;;
  esac
}

_quillmoor_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local command=${COMP_WORDS[1]}
  COMPREPLY=()

  if ((COMP_CWORD == 1)); then
    COMPREPLY=($(compgen -W 'list extract create update update-tracks undo undo-tracks --help --version' -- "$cur"))
    return
  fi
  if [[ $command == @(update-tracks|undo-tracks) && $prev == --game-folder ]]; then
    _quillmoor_cli_paths folder "$cur"
    return
  fi
  if [[ $cur == -* ]]; then
    local options='--help'
    case $command in
      create) options='--no-backup --help' ;;
      update) options='--dry-run --no-backup --help' ;;
      update-tracks) options='--game-folder --dry-run --no-backup --help' ;;
      undo-tracks) options='--game-folder --help' ;;
    esac
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return
  fi

  # Which operand is being typed: options and the folder after --game-folder don't count.
  local operand=0 i
  for ((i = 2; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      --game-folder) ((i++)) ;;
      -*) ;;
      *) ((operand++)) ;;
    esac
  done
  case $command:$operand in
    list:0 | extract:0 | update:0 | create:1 | undo:0) _quillmoor_cli_paths wad "$cur" ;;
    extract:1 | create:0) _quillmoor_cli_paths folder "$cur" ;;
    update:1 | update-tracks:0) _quillmoor_cli_paths source "$cur" ;;
  esac
}

complete -F _quillmoor_cli quillmoor-cli
