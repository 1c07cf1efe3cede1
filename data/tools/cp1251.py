#!/usr/bin/env python3
"""Writes a text file supplied beside the program in the form the program reads:
Windows-1251 bytes with CR LF line breaks.

    cp1251.py SOURCE TARGET [SOURCE TARGET ...]

SOURCE is UTF-8 with LF (or CR LF) line breaks, as the sources are kept so that
they can be read and reviewed. A character that has no byte in Windows-1251
stops the build with its file and line, instead of turning into '?'.
"""
import os
import sys


def encode(source):
    """The bytes the program reads for the UTF-8 text file SOURCE."""
    with open(source, "rb") as f:
        data = f.read()
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as e:
        sys.exit(f"{source}: not UTF-8 at byte {e.start}")
    if text.startswith("\ufeff"):
        text = text[1:]
    lines = text.replace("\r\n", "\n").replace("\r", "\n").split("\n")
    out = bytearray()
    for number, line in enumerate(lines, 1):
        try:
            out += line.encode("cp1251")
        except UnicodeEncodeError as e:
            sys.exit(f"{source}:{number}: {line[e.start]!r} (U+{ord(line[e.start]):04X}) has no Windows-1251 byte")
        if number < len(lines):
            out += b"\r\n"
    return bytes(out)


def convert(source, target):
    out = encode(source)
    os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
    temporary = target + ".part"
    with open(temporary, "wb") as f:
        f.write(out)
    os.replace(temporary, target)


def main():
    pairs = sys.argv[1:]
    if not pairs or len(pairs) % 2:
        sys.exit(__doc__)
    for source, target in zip(pairs[0::2], pairs[1::2]):
        convert(source, target)


if __name__ == "__main__":
    main()
