#!/usr/bin/env python3
"""Writes a C++ source that holds the browser reader's files, as listed in
reader/files.txt ("source path|path on the disc", one per line), so that
mkdisc carries them and writes them onto every disc without a file beside it.

    embed_files.py ROOT LIST OUTPUT
"""
import sys
from pathlib import Path


def main():
    root, listing, output = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3])
    entries = []
    for line in listing.read_text(encoding="utf-8").splitlines():
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        source, _, disc_path = line.partition("|")
        path = root / source
        if not path.is_file():
            sys.exit(f"embed_files.py: {path} is missing (scripts/setup installs the npm packages)")
        entries.append((disc_path, path.read_bytes()))
    out = ["// Made by mkdisc/embed_files.py from reader/files.txt: do not edit.",
           '#include "browser_reader_files.h"', "", "namespace {"]
    for index, (_, data) in enumerate(entries):
        out.append(f"const unsigned char FILE_{index}[] = {{")
        for at in range(0, len(data), 24):
            out.append("  " + ",".join(str(b) for b in data[at:at + 24]) + ",")
        out.append("  0};")
    out += ["}  // namespace", "", "const EmbeddedFile BROWSER_READER_FILES[] = {"]
    for index, (disc_path, data) in enumerate(entries):
        quoted = disc_path.replace("\\", "\\\\").replace('"', '\\"')
        out.append(f'  {{"{quoted}", FILE_{index}, {len(data)}u}},')
    out += ["};", f"const size_t BROWSER_READER_FILE_COUNT = {len(entries)};", ""]
    text = "\n".join(out)
    if not output.exists() or output.read_text(encoding="utf-8") != text:
        output.write_text(text, encoding="utf-8")


main()
