#!/usr/bin/python3
"""Round trip Unicode -> codes -> Unicode on every distinct Devanagari word of Debian's
English-Hindi FreeDict dictionary and on the headwords of our dictionary sources, with the
C++ conversion (through devanagari_dump) and the Python codec compared word by word; then both
decoders compared on random code strings.

Usage: check_devanagari.py DEVANAGARI_DUMP [--freedict FILE.dict.dz] [--sources DIR]
Fails when fewer than 99 % of the FreeDict words come back exactly, when a source headword
fails, or when the two conversions disagree anywhere.
"""
import argparse
import collections
import glob
import gzip
import os
import random
import re
import subprocess
import sys
import unicodedata

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "hindi"))
import hindi_codec as hc  # noqa: E402


def freedict_words(path):
    text = gzip.open(path, "rt", encoding="utf-8").read()
    return sorted(set(re.findall(r"[\u0900-\u097F\u200c\u200d]+", text)))


def source_headwords(folder):
    words = set()
    for p in glob.glob(os.path.join(folder, "*.tsv")):
        if p.endswith(".exceptions.tsv"):
            continue
        with open(p, encoding="utf-8") as f:
            for line in f:
                if line.strip() and not line.startswith("#"):
                    words.add(line.split("\t")[0])
    return sorted(words)


def python_side(word):
    try:
        codes = hc.to_codes(word)
    except hc.EncodeError as e:
        return None, str(e)
    return codes, hc.from_codes(codes)


def failure_class(word, back):
    if back is None:
        return "no glyph"
    nfc = unicodedata.normalize("NFC", word)
    if nfc.startswith("\u093f") or re.search(r"[\u0900-\u0903][\u093e-\u094c]", nfc):
        return "malformed input (sign out of place)"
    if "\u200c" in nfc or "\u200d" in nfc:
        return "joiner without visible effect"
    return "other"


def run_dump(dump, lines, decode=False):
    args = [dump] + (["--decode"] if decode else [])
    out = subprocess.run(args, input="\n".join(lines) + "\n", capture_output=True, text=True,
                         check=True, encoding="utf-8").stdout
    result = out.split("\n")[:-1]
    assert len(result) == len(lines), (len(result), len(lines))
    return result


def check(words, dump, label):
    cpp = run_dump(dump, words)
    exact, classes, disagreements = 0, collections.Counter(), []
    examples = collections.defaultdict(list)
    for word, line in zip(words, cpp):
        codes, back = python_side(word)
        if codes is None:
            if not line.startswith("!\t"):
                disagreements.append((word, line, "python: " + back))
            classes["no glyph"] += 1
            examples["no glyph"].append(word)
            continue
        cpp_hex, _, cpp_back = line.partition("\t")
        if cpp_hex != codes.hex().upper() or cpp_back != back:
            disagreements.append((word, line, codes.hex().upper() + "\t" + back))
        if back == unicodedata.normalize("NFC", word) and hc.to_codes(back) == codes:
            exact += 1
        else:
            c = failure_class(word, back)
            classes[c] += 1
            examples[c].append(word)
    share = exact / len(words) if words else 1.0
    print("%s: %d of %d words round trip exactly (%.2f %%)" % (label, exact, len(words), 100 * share))
    for c, n in classes.most_common():
        print("  %-40s %5d  e.g. %s" % (c, n, " ".join(examples[c][:5])))
    for d in disagreements[:10]:
        print("  C++ and Python differ on %r: %r vs %r" % d)
    return share, len(disagreements)


def check_decoders(dump, count=3000):
    rng = random.Random(6)
    hindi = [b for b in range(0x40, 0xC0) if hc.is_hindi_byte(b)]
    pool = hindi * 3 + [0x20, 0x2E, 0x31, 0x49, 0xA8, 0xC1]
    samples = [bytes(rng.choice(pool) for _ in range(rng.randint(1, 12))) for _ in range(count)]
    cpp = run_dump(dump, [s.hex().upper() for s in samples], decode=True)
    bad = [(s, c, hc.from_codes(s)) for s, c in zip(samples, cpp) if c != hc.from_codes(s)]
    print("decoders: %d of %d random code strings decoded alike" % (count - len(bad), count))
    for b in bad[:10]:
        print("  %s: C++ %r, Python %r" % (b[0].hex(), b[1], b[2]))
    return len(bad)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("dump")
    ap.add_argument("--freedict", default="/usr/share/dictd/freedict-eng-hin.dict.dz")
    ap.add_argument("--sources", default=os.path.join(ROOT, "data", "dictionary"))
    args = ap.parse_args()
    ok = True
    share, differ = check(freedict_words(args.freedict), args.dump, "FreeDict English-Hindi")
    ok &= share >= 0.99 and differ == 0
    heads = source_headwords(args.sources)
    if heads:
        share, differ = check(heads, args.dump, "dictionary source headwords")
        ok &= share == 1.0 and differ == 0
    ok &= check_decoders(args.dump) == 0
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
