#!/usr/bin/python3
"""How well `vartolik-cli gloss` reaches the entries of real Hindi text.

Usage: gloss_reach.py CLI DICTIONARY [--part held-out] [--min PERCENT] [--sample N --seed S]

Glosses the strings of one part of coverage_texts.tsv (by default the held-out texts, never
used to choose words) with the CLI, and counts, among the running words the dictionary can
reach (coverage.py's rule: the word is a headword, or apertium-hin gives a lemma that is one),
the share that the gloss gives an entry for; also the share whose entry is the one that rule
names (the word's own headword or its analysed lemma). --sample N prints N glossed words with
the text around them as tab-separated rows, for a reader to judge. Exit status 1 when the
reached share is below --min, 2 when the texts, the analyser or the CLI are missing.
"""
import argparse
import os
import random
import subprocess
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import coverage  # noqa: E402
import dictionary_lines as dl  # noqa: E402
import hindi_texts  # noqa: E402


def gloss(cli, dictionary, text):
    """[(word, headword or "", entry or "")] for each word of the text, in order."""
    res = subprocess.run([cli, "gloss", "--dictionary", dictionary], input=text.encode(),
                         capture_output=True, check=True)
    rows = []
    for line in res.stdout.decode().split("\n"):
        if "\t" in line:
            word, entry = line.split("\t", 1)
            rows.append((word, entry.split(" ")[0] if entry else "", entry))
    return rows


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("cli")
    ap.add_argument("dictionary")
    ap.add_argument("--part", default="held-out", choices=hindi_texts.PARTS)
    ap.add_argument("--min", type=float, default=0.0)
    ap.add_argument("--sample", type=int, default=0)
    ap.add_argument("--seed", type=int, default=1)
    args = ap.parse_args(argv)
    strings, missing = hindi_texts.part_strings(hindi_texts.read_manifest(),
                                                hindi_texts.texts_dir())
    if missing or not os.path.exists(coverage.AUTOMORF) or not os.path.exists(args.cli):
        print("gloss_reach: missing texts, the analyser or the CLI (scripts/setup.sh)")
        return 2
    texts = strings[args.part]
    rows = gloss(args.cli, args.dictionary, "\n".join(t.replace("\n", " ") for t in texts))
    counts = hindi_texts.words(texts)
    heads = {e.headword for e in dl.read_sources(dl.source_files())}
    lem = coverage.lemmas(set(counts))
    reachable = coverage.measure(counts, lem, heads)[0]
    hindi = [(unicodedata.normalize("NFC", w), h, e) for w, h, e in rows
             if any("\u0900" <= c <= "\u097f" for c in w)]
    reach = [(w, h) for w, h, _ in hindi if w in reachable]
    glossed = sum(1 for _, h in reach if h)
    named = sum(1 for w, h in reach
                if h and coverage.folded(h) in {coverage.folded(x) for x in [w] + lem.get(w, [])})
    share = 100.0 * glossed / max(1, len(reach))
    print("gloss of the %s texts: %d running Hindi words, %d the dictionary can reach; the "
          "gloss gives an entry for %d (%.1f %%), the entry the analyser names for %d (%.1f %%); "
          "%.1f %% of all running words glossed"
          % (args.part, len(hindi), len(reach), glossed, share, named,
             100.0 * named / max(1, len(reach)),
             100.0 * sum(1 for _, h, _ in hindi if h) / max(1, len(hindi))))
    if args.sample:
        # Words with the text they stand in, so a reader can judge the entry in context.
        context = {}
        for t in texts:
            for w in hindi_texts.WORD_RE.findall(t):
                context.setdefault(unicodedata.normalize("NFC", w), " ".join(t.split())[:160])
        chosen = random.Random(args.seed).sample([r for r in hindi if r[1]],
                                                 min(args.sample, glossed))
        for w, _, e in chosen:
            print("%s\t%s\t%s" % (w, e, context.get(w, "")))
    return 1 if share < args.min else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
