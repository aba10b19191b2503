#!/usr/bin/env bash
# kvrtool run: a script the operator could not have played fails with exit
# status 4, its line number and why; nothing is printed or saved then.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prog="$data/kvrtool_run.kvr"

# expect STATUS LINE REASON: runs "$work/s.txt" on the program (saving to
# $work/out.kvr) and checks the exit status and "s.txt:LINE: ...REASON...".
expect() {
  local status=0
  "$tool" run "$work/s.txt" "$prog" --save "$work/out.kvr" --to t --json >"$work/out" 2>"$work/err" || status=$?
  if [ "$status" != "$1" ] || ! grep -qF "s.txt:$2: " "$work/err" || ! grep -qF -- "$3" "$work/err"; then
    echo "expected status $1 at line $2 with \"$3\", got $status:" >&2
    cat "$work/s.txt" "$work/err" >&2
    exit 1
  fi
  if [ -s "$work/out" ] || [ -e "$work/out.kvr" ]; then
    echo "a failed script printed or saved something:" >&2
    cat "$work/s.txt" >&2
    exit 1
  fi
}

# A disabled control: a pause step has no reversal points (line 5, after a
# blank line and a comment).
printf 'click TProg.BKrok\nkeypad 5\n\n# the pause step\nclick TProg.bLRev\n' >"$work/s.txt"
expect 4 5 "TProg.bLRev is disabled"

# A hidden control: no step is shown, so the parameter group is hidden.
printf 'click TProg.BZavity\n' >"$work/s.txt"
expect 4 1 "TProg.BZavity (its container gParam) is hidden"

# A question without its answer line: leaving with a modified program.
printf 'up TProg.SpinButton1\nclick TProg.BZavity\nkeypad 120\nclick TProg.mnSuborExit\nup TProg.SpinButton1\n' >"$work/s.txt"
expect 4 4 'the question "Vorschlag wurde modifiziert, speichern ?" has no answer line'

# An answer the box does not offer.
printf 'up TProg.SpinButton1\nclick TProg.BZavity\nkeypad 120\nclick TProg.mnSuborExit\nanswer ok\n' >"$work/s.txt"
expect 4 5 "has no ok button"

# A save dialog without its file line.
printf 'click TProg.mnUlozT\n' >"$work/s.txt"
expect 4 1 'the save dialog "Speichern format  KVR-T" has no file line'

# The keypad still open when the script ends; a window behind it clicked.
printf 'up TProg.SpinButton1\nclick TProg.BZavity\nkeypad .\n' >"$work/s.txt"
expect 4 2 "the modal window TVstup is still open at the end of the script"
printf 'up TProg.SpinButton1\nclick TProg.BZavity\nclick TProg.bLRev\n' >"$work/s.txt"
expect 4 3 "the window TProg is behind the modal window TVstup"

# Keys the keypad does not have or has switched off (a step number is whole).
printf 'click TProg.BKrok\nkeypad 1-2\n' >"$work/s.txt"
expect 4 2 "the keypad has no key for '-'"
printf 'click TProg.BKrok\nkeypad 2.5\n' >"$work/s.txt"
expect 4 2 "TVstup.ButtonBODKA is disabled"
# A quote inside a quoted value is doubled; a quoted "cancel" is text.
printf 'click TProg.BKrok\nkeypad "1""2"\n' >"$work/s.txt"
expect 4 2 "the keypad has no key for '\"'"
printf 'click TProg.BKrok\nkeypad "cancel"\n' >"$work/s.txt"
expect 4 2 "the keypad has no key for 'c'"

# Lines for windows that are not open, or not shown.
printf 'keypad 5\n' >"$work/s.txt"
expect 4 1 "no keypad is open"
printf 'text hello\n' >"$work/s.txt"
expect 4 1 "no text input window is open"
printf 'answer yes\n' >"$work/s.txt"
expect 4 1 "no message box is open"
printf 'file cancel\n' >"$work/s.txt"
expect 4 1 "no open or save dialog is open"
printf 'click TfInfo.Image1\n' >"$work/s.txt"
expect 4 1 "the window TfInfo is not shown"

# Unknown windows, controls and actions; lines that are no action.
printf 'click TNowhere.bOK\n' >"$work/s.txt"
expect 4 1 "unknown window TNowhere"
printf 'click TProg.bNowhere\n' >"$work/s.txt"
expect 4 1 "unknown control TProg.bNowhere"
printf '# fine\npress TProg.bLRev\n' >"$work/s.txt"
expect 4 2 'unknown action "press"'
printf 'click TProg\n' >"$work/s.txt"
expect 4 1 'is not FORM.CONTROL'
printf 'select TProg.ScrollBar1 x\n' >"$work/s.txt"
expect 4 1 'is not an item number'
printf 'mouse TProg.PaintBox1 press 1 2\n' >"$work/s.txt"
expect 4 1 'is not down, move or up'
printf 'text "open\n' >"$work/s.txt"
expect 4 1 "no closing quote"
printf 'mouse TProg.B_OverView down 1 2\n' >"$work/s.txt"
expect 4 1 "TProg.B_OverView is no paint box"
printf 'click TProg.PaintBox1\n' >"$work/s.txt"
expect 4 1 "is a paint box: use mouse"
