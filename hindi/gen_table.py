#!/usr/bin/env python3
"""Writes the code table of encoding.tsv as C++ initialisers for hindi/devanagari.cpp.

Usage: gen_table.py encoding.tsv OUT.inc
"""
import sys

KINDS = {"vowel": "KindVowel", "consonant": "KindConsonant", "nukta-consonant": "KindNuktaConsonant",
         "half": "KindHalf", "conjunct": "KindConjunct", "ligature": "KindLigature",
         "matra": "KindMatra", "sign": "KindSign", "reph": "KindReph", "rakar": "KindRakar",
         "danda": "KindSign", "digit": "KindSign"}


def main():
    src, out = sys.argv[1], sys.argv[2]
    lines = []
    with open(src, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#"):
                continue
            cols = line.rstrip("\n").split("\t")
            codes = [int(x, 16) for x in cols[0].split()]
            uni = [int(x, 16) for x in cols[2].split()]
            after = [int(x, 16) for x in cols[4].split()] if len(cols) > 4 and cols[4] else []
            if cols[1] not in KINDS or not 1 <= len(codes) <= 3 or not 1 <= len(uni) <= 4 \
                    or len(after) > 6:
                sys.exit("%s:%d: bad row" % (src, n))
            lines.append("{{%s}, %d, %s, {%s}, %d, {%s}, %d},  // %s" % (
                ", ".join("0x%02X" % c for c in codes), len(codes), KINDS[cols[1]],
                ", ".join("0x%04X" % c for c in uni), len(uni),
                ", ".join("0x%04X" % c for c in after) or "0", len(after), cols[0]))
    with open(out, "w", encoding="ascii") as f:
        f.write("// Generated from hindi/encoding.tsv by hindi/gen_table.py; do not edit.\n")
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
