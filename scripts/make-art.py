#!/usr/bin/env python3
"""Draws the resource art of the Arcseal programs.

    python3 scripts/make-art.py viewer OUTDIR
    python3 scripts/make-art.py help OUTDIR

writes the icons, bitmaps and cursor that viewer/discview.rc includes, or the
pictures of the installed help pages (as bitmaps, which the build converts to
JPEG and GIF), into OUTDIR. Everything is drawn by the package scripts/art/
with the Python standard library only, and every run writes the same bytes.
"""

import os
import sys

# The build runs this script from a build folder, not from scripts/, so the
# package beside it is put on the path explicitly.
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from art.targets import TARGETS  # noqa: E402  (needs the path above)


def main(argv):
    if len(argv) != 3 or argv[1] not in TARGETS:
        sys.stderr.write("usage: make-art.py {%s} OUTDIR\n" % ','.join(sorted(TARGETS)))
        return 2
    os.makedirs(argv[2], exist_ok=True)
    TARGETS[argv[1]](argv[2])
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
