#!/usr/bin/env bash
# kvrtool run: keypad entries with their cutting rules and the callers'
# bounds, the modal windows, message boxes and dialogs answered from the script.
set -euo pipefail
tool="$1"
data="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

python3 - "$tool" "$data/kvrtool_run.kvr" "$work" <<'PY'
import json, os, subprocess, sys
tool, prog, work = sys.argv[1:4]

def run(lines, *extra):
    script = os.path.join(work, "s.txt")
    with open(script, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    r = subprocess.run([tool, "run", script, prog, "--json", *extra], capture_output=True, text=True)
    if r.returncode != 0:
        sys.exit("exit %d for %r: %s" % (r.returncode, lines, r.stderr))
    return json.loads(r.stdout)

def check(cond, what, j=None):
    if not cond:
        sys.exit("run: " + what + ("" if j is None else ": " + json.dumps(j)[:600]))

STEP3 = ["up TProg.SpinButton1"] * 3
base = run(STEP3)
check(base["AktKrok"] == 3 and base["Zmeneny"] == 0 and base["messages"] == [], "step 3 chosen", base)

# Out of bounds: the message, and nothing else changes (the keypad's OK alone
# marks the program modified).
for button, value in [("BZavity", "250000"), ("bLRev", "250"), ("bPRev", "211"), ("bPosuvMM", "40.5")]:
    j = run(STEP3 + ["click TProg." + button, "keypad " + value])
    check(j["messages"] == [{"kind": "error", "text": "WERT AUSSER BEREICH", "answer": "ok"}],
          button + " " + value + " refused", j)
    check(j["steps"] == base["steps"], button + " " + value + " changed a step", j)

# The keypad's cutting: turns and reversal points keep two decimals, cut,
# not rounded; a trailing point is dropped.
for button, value, field, stored in [("BZavity", "123.4567", "Hodnota", 123.45), ("bLRev", "20.", "LRev", 20),
                                     ("bPRev", "47.129", "PRev", 47.12)]:
    j = run(STEP3 + ["click TProg." + button, "keypad " + value])
    got = j["steps"][2][field]
    check(abs(got - stored) < 1e-9 and j["messages"] == [] and j["Zmeneny"] == 1,
          "%s %s stored as %r" % (button, value, got), j)

# A text that is no number keeps the keypad open for the next line.
j = run(STEP3 + ["click TProg.BZavity", "keypad .", "keypad 130"])
check(j["messages"] == [{"kind": "error", "text": "DATEN UNKORREKT", "answer": "ok"}], "DATEN UNKORREKT", j)
check(j["steps"][2]["Hodnota"] == 130, "the second entry taken", j)

# ABBRECHEN changes nothing, not even the modified flag.
j = run(STEP3 + ["click TProg.BZavity", "keypad 5", "click TProg.bLRev", "keypad cancel"])
check(j["steps"][2]["Hodnota"] == 5 and j["steps"][2]["LRev"] == base["steps"][2]["LRev"], "cancel", j)
j = run(STEP3 + ["click TProg.BZavity", "keypad cancel"])
check(j["steps"] == base["steps"] and j["Zmeneny"] == 0, "cancel leaves the flag", j)

# A modal window with no buttons closed by its close box; combo boxes picked.
j = run(["click TProg.mnINFO", "close TfInfo", "click TProg.mnOptionsModel", "select TModel.cbModel 3",
         "select TModel.cbPrevod 1", "click TModel.bOK"])
check(j["Model"] == "KVR - 32S" and j["Prevod"] == 2 and j["messages"] == [], "model window", j)

# The save question answered; the main window then is closed and takes no clicks.
j = run(STEP3 + ["click TProg.BZavity", "keypad 99", "click TProg.mnSuborExit", "answer no"])
check(j["messages"] == [{"kind": "warning", "text": "Vorschlag wurde modifiziert, speichern ?", "answer": "no"}],
      "save question", j)
script = os.path.join(work, "closed.txt")
with open(script, "w") as f:
    f.write("up TProg.SpinButton1\nclick TProg.BZavity\nkeypad 99\nclick TProg.mnSuborExit\nanswer no\n"
            "up TProg.SpinButton1\n")
r = subprocess.run([tool, "run", script, prog], capture_output=True, text=True)
check(r.returncode == 4 and "closed.txt:6: the window TProg is not shown" in r.stderr, "closed window: " + r.stderr)

# The save dialog answered with a path, or cancelled.
out = os.path.join(work, "saved.kvr")
j = run(STEP3 + ["click TProg.BZavity", "keypad 42", "click TProg.mnUlozT", "file " + out])
check(j["Zmeneny"] == 0 and j["messages"] == [], "saved through the menu", j)
again = subprocess.run([tool, "info", out, "--json"], capture_output=True, text=True)
check(json.loads(again.stdout)["steps"][2]["Hodnota"] == 42, "the saved file holds the edit")
os.remove(out)
j = run(STEP3 + ["click TProg.BZavity", "keypad 42", "click TProg.mnUlozT", "file cancel"])
check(j["Zmeneny"] == 1 and not os.path.exists(out), "save cancelled", j)

# Opening through the menu: no FILE argument, so no format and marker.
script = os.path.join(work, "open.txt")
with open(script, "w") as f:
    f.write('click TProg.mnSuborOtvor\nfile "%s"\nup TProg.SpinButton1\n' % prog.replace('"', '""'))
r = subprocess.run([tool, "run", script, "--json"], capture_output=True, text=True)
j = json.loads(r.stdout)
check(r.returncode == 0 and "format" not in j and "marker" not in j and j["PocetKrokov"] == 5 and j["AktKrok"] == 1,
      "opened from the script", j)
PY
