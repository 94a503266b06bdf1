#!/usr/bin/env bash
# Drives the bash completion of quorbel as bash does: COMP_WORDS and
# COMP_CWORD set for a command line, then the completion function; checks
# the candidates it offers. Usage: completion_test.bash COMPLETION_FILE
set -uo pipefail
# shellcheck source=/dev/null
source "$1"

failures=0

# expect "CANDIDATE|CANDIDATE..." WORD...: completes the last WORD.
expect()
{
    local want=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _quorbel
    local got
    got=$(IFS='|'; echo "${COMPREPLY[*]}")
    if [[ $got != "$want" ]]; then
        echo "FAIL: quorbel ${*:2}<TAB>: offered [$got], expected [$want]" >&2
        failures=$((failures + 1))
    fi
}

expect 'convert' quorbel con
expect 'convert|settings|gui|help|--help|--version' quorbel ''
expect '--settings|--set' quorbel convert --se
expect '--max-size' quorbel convert Module1.bas --m
expect 'list|get|set|unset|path|--settings' quorbel settings ''
expect 'list|get|set|unset|path|--settings' quorbel settings --settings my.sqlite ''

# Keys: any letter case, blanks and "&" escaped; inside an open quote as they are.
expect 'Comments-Print\ Author' quorbel settings get 'Comments-Print\ A'
expect 'Text\ \ \ \ SyntaxColor' quorbel settings --settings my.sqlite set text
expect 'Comment-Print\ Subs\ \&\ Functions' quorbel settings unset comment-print
expect 'Comment-Print Subs & Functions' quorbel settings get "'Comment-Print S"
expect 'Meta\ System\ Count|Meta\ SystemName\ Info\ No\ 1|Meta\ SystemValue\ Info\ No\ 1' quorbel settings get 'Meta\ System'
expect 'HTMLComment-Key\ Color=' quorbel convert --set HTMLComment-Key
# A key's value, and the arguments after it, are not keys.
expect '' quorbel settings set Frames ''
expect '' quorbel settings list ''
expect '' quorbel convert --code ''

# Sources: Visual Basic files (any letter case) and folders only.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
mkdir forms
touch Inventory.bas Account.CLS Main.frm notes.txt
expect 'Account.CLS' quorbel convert -q Acc
expect 'forms' quorbel gui f
expect '' quorbel convert notes
expect 'Main.frm' quorbel convert --set Ext=htm Ma
expect 'notes.txt' quorbel convert -o no

if ((failures > 0)); then
    echo "$failures completion check(s) failed" >&2
    exit 1
fi
echo "every completion check passed"
