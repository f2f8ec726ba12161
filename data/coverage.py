#!/usr/bin/python3
"""How much of real Hindi text the dictionary covers.

Usage: coverage.py [--min PERCENT] [--min-running PERCENT] [--uncovered N] [--wanted N]
                   [--mo FILE.mo ...] [SOURCE.tsv ...]

The texts are the Hindi translations and help pages that Debian packages ship, listed in
coverage_texts.tsv in two parts fixed by package: "chosen", the texts the dictionary's words
are chosen from, and "held-out", texts never used for choosing (hindi_texts.py fetches them).
A word of a text is covered when it is a headword (a full entry or a pointer line), or when
apertium-hin's analyser (lt-proc hin.automorf.bin) gives a lemma that is a headword. Prints
for each part the share of covered distinct words and of covered running words. --uncovered N
lists the N most frequent words of the chosen part not covered, with their counts;
--wanted N lists the N most frequent lemmas of the chosen part not covered (the words
grouped by the lemma the analyser gives first, else the word itself), with their counts,
forms and whether the word lists know them. Uncovered words of the held-out part are never
listed. --mo measures the given catalogues alone instead. Exit status 1 when a part's share
of distinct words is below --min or of running words below --min-running, 2 when a text or
the analyser is missing.
"""
import argparse
import collections
import os
import re
import subprocess
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import dictionary_lines as dl  # noqa: E402
import hindi_texts  # noqa: E402

AUTOMORF = "/usr/share/apertium/apertium-hin/hin.automorf.bin"
NUKTA_COMPOSED = {"\u0915\u093c": "\u0958", "\u0916\u093c": "\u0959", "\u0917\u093c": "\u095a",
                  "\u091c\u093c": "\u095b", "\u0921\u093c": "\u095c", "\u0922\u093c": "\u095d",
                  "\u092b\u093c": "\u095e", "\u092f\u093c": "\u095f"}


def text_words(mo_paths):
    """Counter of the Hindi words of the translated strings of the catalogues."""
    strings = []
    for path in mo_paths:
        strings += hindi_texts.file_strings(path)
    return hindi_texts.words(strings)


def nfc(word):
    return unicodedata.normalize("NFC", word)


def spelling_variants(word):
    """Spellings of the word the analyser may know instead: composed nukta letters, no
    nukta, ये/यी for a final ए/ई after a vowel (नए नये), chandrabindu for anusvara and back."""
    out = [word]
    composed = word
    for dec, comp in NUKTA_COMPOSED.items():
        composed = composed.replace(dec, comp)
    out.append(composed)
    out.append(re.sub("(?<=[कखगजफ])\u093c", "", word))
    out.append(re.sub("(?<=[\u093e\u0940\u0942\u094b\u0906\u0913])ए(?=[\u0902\u0901]?$)",
                      "ये", re.sub("(?<=[\u093e\u094b])ई$", "यी", word)))
    out.append(word.replace("\u0902", "\u0901") if "\u0902" in word
               else word.replace("\u0901", "\u0902"))
    return [v for i, v in enumerate(out) if v not in out[:i]]


def folded(word):
    """The word without nukta on the loan letters and with anusvara for chandrabindu: a
    lemma the analyser spells so still names the headword spelt with them."""
    return re.sub("(?<=[कखगजफ])\u093c", "", unicodedata.normalize("NFD", word)) \
        .replace("\u0901", "\u0902")


def lemmas(words):
    """For each word the lemmas apertium-hin's analyser gives for it or for one of its
    spelling_variants, in its order, a verb's infinitive before its stem."""
    words = sorted(words)
    queries = sorted({v for w in words for v in spelling_variants(w)})
    res = subprocess.run(["lt-proc", AUTOMORF], input="\n".join(queries) + "\n",
                         capture_output=True, text=True, check=True)
    units = [re.findall(r"\^([^$]*)\$", line) for line in res.stdout.split("\n")]
    analyses = {}
    for query, line_units in zip(queries, units):
        found = []
        for unit in line_units[:1]:
            for analysis in unit.split("/")[1:]:
                if analysis.startswith("*"):
                    continue
                lemma = nfc(analysis.split("<")[0])
                # Verbs are analysed to their stem; the dictionary lists the infinitive.
                if re.match(r"<(vb|vaux)", analysis[len(analysis.split("<")[0]):]):
                    found.append(lemma + "ना")
                found.append(lemma)
        analyses[query] = found
    result = collections.defaultdict(list)
    for w in words:
        for v in spelling_variants(w):
            for lemma in analyses.get(v, ()):
                if lemma not in result[w]:
                    result[w].append(lemma)
    return result


def measure(counts, lem, heads):
    """(covered words, share of distinct words, share of running words, how counter)."""
    covered, how = set(), collections.Counter()
    folded_heads = {folded(h) for h in heads}
    for w in counts:
        if w in heads:
            covered.add(w)
            how["headword"] += 1
        elif any(folded(m) in folded_heads for m in lem.get(w, ())):
            covered.add(w)
            how["lemma"] += 1
    share = 100.0 * len(covered) / max(1, len(counts))
    tokens = sum(counts.values())
    tok_share = 100.0 * sum(counts[w] for w in covered) / max(1, tokens)
    return covered, share, tok_share, how


def wanted(counts, covered, lem):
    """[(count, lemma, forms)] of the words not covered, grouped by their first lemma (the
    word itself when the analyser knows none), most frequent first."""
    groups = collections.defaultdict(collections.Counter)
    for w, n in counts.items():
        if w not in covered:
            groups[(lem.get(w) or [w])[0]][w] += n
    rows = [(sum(forms.values()), lemma, [f for f, _ in forms.most_common()])
            for lemma, forms in groups.items()]
    rows.sort(key=lambda r: (-r[0], r[1]))
    return rows


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("sources", nargs="*")
    ap.add_argument("--mo", nargs="+", default=[])
    ap.add_argument("--min", type=float, default=0.0)
    ap.add_argument("--min-running", type=float, default=0.0)
    ap.add_argument("--uncovered", type=int, default=0)
    ap.add_argument("--wanted", type=int, default=0)
    args = ap.parse_args(argv)
    if args.mo:
        parts = {"given": text_words(args.mo)} if all(map(os.path.exists, args.mo)) else None
        missing = [p for p in args.mo if not os.path.exists(p)]
    else:
        strings, missing = hindi_texts.part_strings(hindi_texts.read_manifest(),
                                                    hindi_texts.texts_dir())
        parts = {part: hindi_texts.words(strings[part]) for part in hindi_texts.PARTS}
    if not os.path.exists(AUTOMORF):
        missing.append(AUTOMORF)
    if missing:
        print("coverage: missing %s (scripts/setup.sh installs and fetches them)"
              % ", ".join(missing))
        return 2
    heads = {e.headword for e in dl.read_sources(args.sources or dl.source_files())}
    lem = lemmas(set().union(*parts.values()))
    status = 0
    for part, counts in parts.items():
        covered, share, tok_share, how = measure(counts, lem, heads)
        print("coverage of the %s texts: %d of %d distinct words (%.1f %%) lead to an entry "
              "(%d as headwords, %d by their lemma); %.1f %% of %d running words"
              % (part, len(covered), len(counts), share, how["headword"], how["lemma"],
                 tok_share, sum(counts.values())))
        if share < args.min or tok_share < args.min_running:
            print("coverage: the %s texts are below the floor of %.1f %% distinct, %.1f %% "
                  "running words" % (part, args.min, args.min_running))
            status = 1
    listed = parts.get("chosen", parts.get("given"))
    covered = measure(listed, lem, heads)[0]
    if args.uncovered:
        rest = [(n, w) for w, n in listed.items() if w not in covered]
        rest.sort(key=lambda nw: (-nw[0], nw[1]))
        for n, w in rest[:args.uncovered]:
            print("%s\t%d\t%s" % (w, n, ",".join(lem.get(w, ()))))
    if args.wanted:
        for n, lemma, forms in wanted(listed, covered, lem)[:args.wanted]:
            print("%s\t%d\t%s" % (lemma, n, ",".join(forms[:6])))
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
