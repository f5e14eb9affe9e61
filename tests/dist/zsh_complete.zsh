# Prints the matches that zsh's completion offers for a command line, one a
# line: an interactive zsh on a pseudo-terminal gets the line and a Tab, and
# reports every match it adds.
#   usage: zsh zsh_complete.zsh COMPLETION_FOLDER "command line"
zmodload zsh/zpty
zpty completer zsh -f -i
zpty -w completer "PROMPT= RPROMPT=; fpath=(${(q)1} \$fpath)"
zpty -w completer 'autoload -U compinit && compinit -u -D'
# The markers are written as $'\x1f' and $'\x1e' so that the terminal's echo
# of these lines does not hold them.
zpty -w completer 'compadd() {
  if [[ ${(j: :)@[1,(i)(-|--)]} == *-(O|A|D)* ]]; then builtin compadd "$@"; return; fi
  local -a found; builtin compadd -A found "$@"; print -rl -- $'"'"'\x1f'"'"'${^found}
  builtin compadd "$@"
}'
zpty -w completer 'finished() { print -r -- $'"'"'\x1e'"'"'; }; comppostfuncs=(finished)'
zpty -n -w completer "$2"$'\t'
while zpty -r completer line; do
  [[ $line == *$'\x1e'* ]] && break
  [[ $line == *$'\x1f'* ]] && print -r -- "${${line##*$'\x1f'}%%$'\r'*}"
done
zpty -d completer
