#!/usr/bin/python3
"""How many words of a hand-written list of readings the dictionary reads otherwise.

Usage: blind_readings.py [LIST.tsv] [--dictionary DICTIONA.DAT]

LIST (default data/readings_blind.tsv) holds headword<TAB>reading<TAB>note lines. A word
that is a headword of the dictionary is judged by the reading its line shows (the built
file given, else one built from the sources now); any other word by the reading the rule
gives it. Syllable breaks are not judged, only the sounds: "ънт-ра:л" and "ън-тра:л" are the
same reading, "ън-тъ-ра:л" is another. Prints every word read otherwise and the share of
words read wrongly; exit status 0 (a measure, not a gate).
"""
import argparse
import os
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import build_dictionary  # noqa: E402
import dictionary_lines as dl  # noqa: E402
import transcription  # noqa: E402

DEFAULT_LIST = os.path.join(dl.HERE, "readings_blind.tsv")


def read_list(path):
    """[(headword, reading, note)] of a list; ValueError on a malformed line."""
    rows = []
    with open(path, encoding="utf-8") as f:
        for no, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 3:
                raise ValueError("%s:%d: expected headword<TAB>reading<TAB>note" % (path, no))
            rows.append((unicodedata.normalize("NFC", fields[0]), fields[1], fields[2]))
    return rows


def shown_readings(data):
    """{headword: reading} of the lines of a built dictionary."""
    out = {}
    for line in data.split(b"\r\n"):
        if not line:
            continue
        text = dl.hindi_codec.decode_line(line)
        head, rest = text.split(" ", 1)
        if rest.startswith("(") and ")" in rest:
            out[unicodedata.normalize("NFC", head)] = rest[1:rest.index(")")]
    return out


def sounds(reading):
    return reading.replace(transcription.SEPARATOR, "")


def judge(rows, shown):
    """[(headword, expected, given, note)] of the words read otherwise."""
    wrong = []
    for head, want, note in rows:
        got = shown.get(head) or transcription.reading(head)
        if sounds(got) != sounds(want):
            wrong.append((head, want, got, note))
    return wrong


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("list", nargs="?", default=DEFAULT_LIST)
    ap.add_argument("--dictionary", help="a built dictiona.dat (default: build one now)")
    args = ap.parse_args(argv)
    rows = read_list(args.list)
    if args.dictionary:
        with open(args.dictionary, "rb") as f:
            data = f.read()
    else:
        data, _ = build_dictionary.build(dl.source_files())
    wrong = judge(rows, shown_readings(data))
    for head, want, got, note in wrong:
        print("%s\twant %s\tgiven %s\t(%s)" % (head, want, got, note))
    print("%d of %d words read wrongly (%.1f %%)"
          % (len(wrong), len(rows), 100.0 * len(wrong) / max(1, len(rows))))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
