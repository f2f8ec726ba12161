#!/usr/bin/python3
"""Build dictiona.dat from the dictionary source files.

Usage: build_dictionary.py OUTPUT [SOURCE.tsv ...]   (default: data/dictionary/*.tsv)

Every entry becomes one line `<headword> (<reading>) <Russian part>`, the reading in Cyrillic
from transcription.py: Hindi in the codes of the display faces, the rest in Windows-1251, CR LF line ends, the lines in
Devanagari alphabetical order (dictionary_lines.sort_key). Any fault of the sources (a
malformed line, a headword given twice, a character that has no code) stops the build with
the file and line of every fault, and the previous OUTPUT stays as it was.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import dictionary_lines as dl  # noqa: E402
from hindi_codec import EncodeError  # noqa: E402
from transcription import TranscriptionError  # noqa: E402


def build(sources):
    """The bytes of dictiona.dat made from the source files; SourceError on any fault."""
    entries = dl.read_sources(sources)
    faults, lines = [], []
    for e in entries:
        try:
            key = dl.sort_key(e.headword)
            lines.append((key, dl.encode_entry(e)))
        except (ValueError, EncodeError, TranscriptionError) as err:
            faults.append("%s: %s" % (e.where, err))
    if faults:
        raise dl.SourceError("\n".join(faults))
    lines.sort(key=lambda kl: kl[0])
    return b"".join(line + b"\r\n" for _, line in lines), len(lines)


def write_atomically(path, data):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def main(argv):
    if not argv or argv[0].startswith("-"):
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        return 2
    out, sources = argv[0], argv[1:] or dl.source_files()
    try:
        data, count = build(sources)
    except dl.SourceError as e:
        print("dictionary not built, the sources have faults:\n%s" % e, file=sys.stderr)
        return 1
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    write_atomically(out, data)
    pointers = sum(1 for e in dl.read_sources(sources) if e.russian.startswith("см. "))
    print("%s: %d entries (%d full entries, %d pointer lines), %d bytes"
          % (out, count, count - pointers, pointers, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
