#!/usr/bin/python3
"""How much of a real Hindi text the dictionary covers.

Usage: coverage.py [--min PERCENT] [--uncovered N] [--mo FILE.mo ...] [SOURCE.tsv ...]

The text is the Hindi translation of GLib's messages that Debian ships in libglib2.0-data
(/usr/share/locale/hi/LC_MESSAGES/glib20.mo): some 900 strings written by translators, not
by us. A distinct word of that text is covered when it is a headword (a full entry or a
pointer line), or when apertium-hin's analyser (lt-proc hin.automorf.bin) gives a lemma that
is a headword. Prints the share of covered words and, with --uncovered N, the N most
frequent words not covered with their counts. Exit status 1 when the share is below --min,
2 when the text or the analyser is missing.
"""
import argparse
import collections
import gettext
import os
import re
import subprocess
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import dictionary_lines as dl  # noqa: E402

DEFAULT_MO = ["/usr/share/locale/hi/LC_MESSAGES/glib20.mo"]
AUTOMORF = "/usr/share/apertium/apertium-hin/hin.automorf.bin"
# A word: Devanagari letters and signs; the dandas and Devanagari digits separate words.
WORD_RE = re.compile(r"[\u0900-\u0963\u0971-\u097f]+")
NUKTA_COMPOSED = {"\u0915\u093c": "\u0958", "\u0916\u093c": "\u0959", "\u0917\u093c": "\u095a",
                  "\u091c\u093c": "\u095b", "\u0921\u093c": "\u095c", "\u0922\u093c": "\u095d",
                  "\u092b\u093c": "\u095e", "\u092f\u093c": "\u095f"}


def nfc(word):
    return unicodedata.normalize("NFC", word)


def text_words(mo_paths):
    """Counter of the Hindi words of the translated strings of the catalogues."""
    counts = collections.Counter()
    for path in mo_paths:
        with open(path, "rb") as f:
            catalog = gettext.GNUTranslations(f)._catalog
        for key, value in catalog.items():
            if key == "" or (isinstance(key, str) and key == ""):
                continue   # the header
            for w in WORD_RE.findall(value):
                w = nfc(w)
                # A word that ends in a virama or a sign alone is a cut-off fragment.
                if w[0] in "\u0900\u0901\u0902\u0903\u093c\u093e\u093f\u0940\u0941\u0942" \
                               "\u0943\u0947\u0948\u094b\u094c\u094d":
                    continue
                counts[w] += 1
    return counts


def lemmas(words):
    """For each word the set of lemmas apertium-hin's analyser gives (composed nukta forms
    are tried too, as the analyser knows those)."""
    words = sorted(words)
    variants = []
    for w in words:
        v = w
        for dec, comp in NUKTA_COMPOSED.items():
            v = v.replace(dec, comp)
        variants.append(v)
    res = subprocess.run(["lt-proc", AUTOMORF], input="\n".join(words + variants) + "\n",
                         capture_output=True, text=True, check=True)
    out = res.stdout.split("\n")
    found = collections.defaultdict(set)
    units = re.findall(r"\^([^$]*)\$", res.stdout)
    # One unit per input line (a line of one word gives one unit).
    if len(units) != 2 * len(words):
        units = [u for line in out for u in re.findall(r"\^([^$]*)\$", line)]
    for i, unit in enumerate(units[:2 * len(words)]):
        word = words[i % len(words)]
        for analysis in unit.split("/")[1:]:
            if analysis.startswith("*"):
                continue
            lemma = nfc(analysis.split("<")[0])
            found[word].add(lemma)
            # Verbs are analysed to their stem; the dictionary lists the infinitive.
            if re.match(r"<(vb|vaux)", analysis[len(analysis.split("<")[0]):]):
                found[word].add(lemma + "ना")
    return found


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("sources", nargs="*")
    ap.add_argument("--mo", nargs="+", default=DEFAULT_MO)
    ap.add_argument("--min", type=float, default=0.0)
    ap.add_argument("--uncovered", type=int, default=0)
    args = ap.parse_args(argv)
    missing = [p for p in args.mo + [AUTOMORF] if not os.path.exists(p)]
    if missing:
        print("coverage: missing %s (scripts/setup.sh installs it)" % ", ".join(missing))
        return 2
    heads = {e.headword for e in dl.read_sources(args.sources or dl.source_files())}
    counts = text_words(args.mo)
    lem = lemmas(counts)
    covered, how = set(), collections.Counter()
    for w in counts:
        if w in heads:
            covered.add(w)
            how["headword"] += 1
        elif lem.get(w, set()) & heads:
            covered.add(w)
            how["lemma"] += 1
    share = 100.0 * len(covered) / max(1, len(counts))
    tokens = sum(counts.values())
    tok_share = 100.0 * sum(counts[w] for w in covered) / max(1, tokens)
    print("coverage: %d of %d distinct words (%.1f %%) lead to an entry "
          "(%d as headwords, %d by their lemma); %.1f %% of %d running words"
          % (len(covered), len(counts), share, how["headword"], how["lemma"], tok_share, tokens))
    if args.uncovered:
        rest = [(n, w) for w, n in counts.items() if w not in covered]
        rest.sort(key=lambda nw: (-nw[0], nw[1]))
        for n, w in rest[:args.uncovered]:
            print("%s\t%d\t%s" % (w, n, ",".join(sorted(lem.get(w, ())))))
    if share < args.min:
        print("coverage: %.1f %% is below the floor of %.1f %%" % (share, args.min))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
