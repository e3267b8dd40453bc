"""The resource art of the Arcseal programs, drawn with the standard library.

scripts/make-art.py is the command that runs it; targets.py says which files
each target writes. The drawing toolkit (colours, shapes, canvas), the two
hand-made fonts and the Windows file writers are shared by every picture;
the remaining modules each draw one family of pictures. Nothing drawn
depends on the clock, the environment or the order of a set, so every run
writes the same bytes.
"""
