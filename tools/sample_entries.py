#!/usr/bin/python3
"""Draw a fixed random sample of the dictionary entries added since a commit, for a reader.

Usage: sample_entries.py [--since COMMIT] [--count N] [--seed S] [--pointers] [--out FILE]

An entry counts as added when its line (headword, transliteration and Russian part) is not
in the source files as they were at COMMIT (default 1160e05, the starter dictionary): new
headwords and changed lines alike. Pointer lines are left out unless --pointers is given.
The sample is the same for the same sources, seed and count. Written as TSV with an empty
column for the reader's verdict (ok, or what is wrong: sense, gender, spelling, Russian):
    file:line<TAB>headword<TAB>transliteration<TAB>Russian part<TAB>verdict
"""
import argparse
import glob
import os
import random
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCES = os.path.join(ROOT, "data", "dictionary")


def entry_lines(text):
    """(line number, line) of the entry lines of a source file's text."""
    return [(no, line) for no, line in enumerate(text.split("\n"), 1)
            if line.strip() and not line.startswith("#") and line.count("\t") == 2]


def old_lines(commit):
    """Every entry line of the dictionary sources at the commit."""
    res = subprocess.run(["git", "-C", ROOT, "ls-tree", "--name-only", commit,
                          "data/dictionary/"], capture_output=True, text=True, check=True)
    lines = set()
    for path in res.stdout.split():
        if path.endswith(".tsv") and not path.endswith(".exceptions.tsv"):
            text = subprocess.run(["git", "-C", ROOT, "show", "%s:%s" % (commit, path)],
                                  capture_output=True, text=True, check=True).stdout
            lines.update(line for _, line in entry_lines(text))
    return lines


def added_entries(commit, pointers):
    before = old_lines(commit)
    added = []
    for path in sorted(glob.glob(os.path.join(SOURCES, "*.tsv"))):
        if path.endswith(".exceptions.tsv"):
            continue
        with open(path, encoding="utf-8") as f:
            for no, line in entry_lines(f.read()):
                if line in before:
                    continue
                if line.split("\t")[2].startswith("см. ") and not pointers:
                    continue
                added.append(("%s:%d" % (os.path.relpath(path, ROOT), no), line))
    return added


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--since", default="1160e05")
    ap.add_argument("--count", type=int, default=200)
    ap.add_argument("--seed", type=int, default=12)
    ap.add_argument("--pointers", action="store_true")
    ap.add_argument("--out")
    args = ap.parse_args(argv)
    added = added_entries(args.since, args.pointers)
    sample = random.Random(args.seed).sample(added, min(args.count, len(added)))
    sample.sort()
    text = "# where\theadword\ttransliteration\tRussian part\tverdict (ok, or what is wrong)\n"
    text += "".join("%s\t%s\t\n" % (where, line) for where, line in sample)
    if args.out:
        with open(args.out, "w", encoding="utf-8") as f:
            f.write(text)
    else:
        sys.stdout.write(text)
    print("%d entries added since %s, %d drawn with seed %d"
          % (len(added), args.since, len(sample), args.seed), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
