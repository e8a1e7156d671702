"""Runs one group of end-to-end tests: `run.py MODULE[.CLASS]`, kestro.exe in $KESTRO_EXE.

They need the display and the Wine prefix of a session (tools/with-wine-session.sh); without
them they are skipped, not failed, so that a plain ctest run outside a session stays green."""

import os
import sys
import unittest

SKIPPED = 77

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))


def main(name):
    for needed in ("DISPLAY", "WINEPREFIX"):
        if not os.environ.get(needed):
            print(f"skipped: no {needed} (run inside tools/with-wine-session.sh)")
            return SKIPPED
    suite = unittest.defaultTestLoader.loadTestsFromName(name)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
