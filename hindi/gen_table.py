#!/usr/bin/env python3
"""Writes the code table of encoding.tsv as C++ initialisers for hindi/devanagari.cpp.

Usage: gen_table.py encoding.tsv OUT.inc
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from hindi_codec import read_encoding_table  # noqa: E402

KINDS = {"vowel": "KindVowel", "consonant": "KindConsonant", "nukta-consonant": "KindNuktaConsonant",
         "half": "KindHalf", "conjunct": "KindConjunct", "ligature": "KindLigature",
         "matra": "KindMatra", "sign": "KindSign", "reph": "KindReph", "rakar": "KindRakar",
         "danda": "KindSign", "digit": "KindSign"}


def main():
    src, out = sys.argv[1], sys.argv[2]
    lines = []
    for row in read_encoding_table(src):
        codes, uni, after = row.codes, row.unicode, row.after
        if row.kind not in KINDS or not 1 <= len(codes) <= 3 or not 1 <= len(uni) <= 4 \
                or len(after) > 6:
            sys.exit("%s:%d: bad row" % (src, row.line))
        lines.append("{{%s}, %d, %s, {%s}, %d, {%s}, %d},  // %s" % (
            ", ".join("0x%02X" % c for c in codes), len(codes), KINDS[row.kind],
            ", ".join("0x%04X" % c for c in uni), len(uni),
            ", ".join("0x%04X" % c for c in after) or "0", len(after),
            " ".join("%02X" % c for c in codes)))
    with open(out, "w", encoding="ascii") as f:
        f.write("// Generated from hindi/encoding.tsv by hindi/gen_table.py; do not edit.\n")
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
