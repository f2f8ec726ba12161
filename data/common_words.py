#!/usr/bin/python3
"""Builds common.dat: the headwords of the starter vocabulary, for the Phonetic order.

Usage: common_words.py OUTPUT SOURCES...

The starter vocabulary is the headwords of the sources named in STARTER (the core words,
function words, everyday nouns, adjectives and adverbs, and the common verbs), pointer lines
left out. Phonetic lists them first among lines of equal rank (search/common_words.h).

Output: the line "vartolik common words 1", then one headword a line in the dictionary's bytes
(the display faces' codes), sorted by their bytes. Prints the count and the size.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "hindi"))
import hindi_codec  # noqa: E402

HEADER = "vartolik common words 1"
STARTER = ("core.tsv", "function_words.tsv", "words.tsv", "verbs.tsv")


def starter_headwords(paths):
    words = set()
    for path in paths:
        if os.path.basename(path) not in STARTER:
            continue
        with open(path, encoding="utf-8") as f:
            for line in f:
                if line.startswith("#") or not line.strip():
                    continue
                headword, _, russian = line.rstrip("\n").split("\t")
                if not russian.startswith("см. "):
                    words.add(headword)
    return words


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        return 2
    output, sources = argv[0], argv[1:]
    encoded = sorted(bytes(hindi_codec.encode_line(w)) for w in starter_headwords(sources))
    data = (HEADER + "\n").encode("ascii") + b"".join(w + b"\n" for w in encoded)
    with open(output, "wb") as f:
        f.write(data)
    print("common.dat: %d headwords of the starter vocabulary, %d bytes" % (len(encoded), len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
