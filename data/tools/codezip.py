#!/usr/bin/env python3
"""Packs text files supplied on the update server into one ZIP archive, each
turned into the program's Windows-1251 with CR LF (as cp1251.py does) and
stored under its own file name, without folders, so that the archive unpacks
straight into the folder it is meant for.

    codezip.py ARCHIVE SOURCE [SOURCE ...]

The archive is the same byte for byte on every build: the entries keep the
order given and carry one fixed date.
"""
import os
import sys
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cp1251 import encode  # noqa: E402

# The date the entries carry (the packing date the server's RUa.txt gives).
PACKED = (2016, 3, 15, 12, 0, 0)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    archive, sources = sys.argv[1], sys.argv[2:]
    os.makedirs(os.path.dirname(os.path.abspath(archive)), exist_ok=True)
    temporary = archive + ".part"
    with zipfile.ZipFile(temporary, "w", zipfile.ZIP_DEFLATED) as z:
        for source in sources:
            entry = zipfile.ZipInfo(os.path.basename(source), PACKED)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.external_attr = 0o644 << 16
            z.writestr(entry, encode(source))
    os.replace(temporary, archive)


if __name__ == "__main__":
    main()
