#!/usr/bin/env python3
"""Cuts down a failing command walk: drops steps while the replay still fails at its last step
with the same check.

  scripts/cut-walk.py BUILD_DIR 'house|step;step;...' 'SameUndoState'
"""
import os
import subprocess
import sys
import tempfile

build, start, check = sys.argv[1], sys.argv[2], sys.argv[3]
design, rest = start.split('|', 1)
steps = [s for s in rest.split(';') if s]
env = dict(os.environ, QT_QPA_PLATFORM='offscreen', XDG_RUNTIME_DIR=tempfile.mkdtemp())
env.setdefault('DVX_TEST_TMP', os.path.join(build, 'tmp'))


def fails(trial):
    env['DVX_WALK_REPLAY'] = design + '|' + ';'.join(trial)
    out = subprocess.run([os.path.join(build, 'tests/ui/test_ui'), '--gtest_filter=CommandWalk*'], env=env,
                         capture_output=True, text=True, timeout=600).stdout
    return ('Value of: ' + check) in out and ('step %d (' % len(trial)) in out


if not fails(steps):
    sys.exit('the list does not fail at its last step with ' + check)
# Runs of steps first, then single ones; the failing step stays last.
for size in (16, 4, 1):
    i = len(steps) - 2
    while i >= 0:
        lo = max(0, i - size + 1)
        trial = steps[:lo] + steps[i + 1:]
        if fails(trial):
            steps = trial
        i = lo - 1
print(design + '|' + ';'.join(steps))
