#!/usr/bin/python3
"""The program's regular Hindi inflection (hindi/inflection.h) against Apertium's generator.

Usage: check_inflection.py INFLECTION_DUMP

A fixed sample of the dictionary's masculine and feminine nouns (names left out), adjectives in
-aa and verbs, each known to apertium-hin's analyser in the same class, gets its forms from the
program (INFLECTION_DUMP) and from Apertium (lt-proc -g hin.autogen.bin) for the same slots.
A slot agrees when the program's spellings and Apertium's share one (a form with no ending of
its own is the word itself). Noun slots where Apertium keeps the word unchanged are counted
apart: its lexicon gives many abstract and mass nouns no plural (मेहनत, उम्र), while the
program forms one for every noun. Apertium is an outside opinion, not the truth: its generator has
faults of its own (पीूँगा, छूया), so the bar is 90 %, and the slots that disagree are printed
for a reader. Exits 1 below the bar or with too small a sample.
"""
import collections
import os
import random
import re
import subprocess
import sys
import unicodedata

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "data"))
import dictionary_lines as dl  # noqa: E402

APERTIUM = "/usr/share/apertium/apertium-hin"
SAMPLE = {"m": 100, "f": 80, "adj": 60, "verb": 60}
BAR = 0.90

# The program's grammar tags and Apertium's for the same slot.
NOUN_TAGS = {"obl.sg": "<sg><obl>", "pl": "<pl><nom>", "obl.pl": "<pl><obl>"}
ADJ_TAGS = {"m.obl": "<m><sg><obl>", "f": "<f><sg><nom>"}
VERB_TAGS = {"inf.obl": "<inf><obl>", "conj": "<gna>", "imp.2.pl": "<imp><p2><pl>",
             "imp.frm": "<imp><p2><frm><pl>", "subj.1.sg": "<prs><p1><sg>",
             "subj.3.sg": "<prs><p3><sg>", "subj.3.pl": "<prs><p3><pl>",
             "subj.2.pl": "<prs><p2><pl>"}
# The feminine plural participle is left out: Apertium writes it without its nasal, as before
# an auxiliary (पढ़ती हैं), the program with it, as it stands alone (पढ़तीं).
for aspect in ("impf", "perf"):
    for g, n in (("m", "sg"), ("m", "pl"), ("f", "sg")):
        VERB_TAGS["%s.%s.%s" % (aspect, g, n)] = "<%s><%s><%s>" % (aspect, g, n)
for person, g, n in (("1", "m", "sg"), ("1", "f", "sg"), ("3", "m", "sg"), ("3", "f", "sg"),
                     ("3", "m", "pl"), ("3", "f", "pl"), ("2", "m", "pl"), ("2", "f", "pl")):
    VERB_TAGS["fut.%s.%s.%s" % (person, g, n)] = "<fut><p%s><%s><%s>" % (person, g, n)


def lt_proc(args, text):
    return subprocess.run(["lt-proc", *args], input=text, capture_output=True, text=True,
                          check=True).stdout


def candidates(entries):
    """(word, class) of the entries by their first mark, in source order."""
    out = []
    for e in entries:
        mark, _, rest = e.russian.partition(" ")
        if mark in ("м.", "ж.") and not re.match(r"^[А-ЯЁ]", rest):
            out.append((e.headword, "m" if mark == "м." else "f"))
        elif mark == "прил." and re.search("(ा|ाँ)$", e.headword):
            out.append((e.headword, "adj"))
        elif mark == "гл." and e.headword.endswith("ना"):
            out.append((e.headword, "verb"))
    return out


def apertium_lexemes(words):
    """Per (word, class): the Apertium request prefix when its analyser knows the word so."""
    analyses = re.findall(r"\^(.*?)\$", lt_proc(["-a", os.path.join(APERTIUM, "hin.automorf.bin")],
                                                " ".join(w for w, _ in words) + "\n"))
    known = {}
    for (word, cls), analysis in zip(words, analyses):
        for r in analysis.split("/")[1:]:
            if cls in "mf":
                m = re.match(r"^([^<]+)<n><%s><sg><nom>" % cls, r)
            elif cls == "adj":
                m = re.match(r"^([^<]+)<adj><m><sg><nom>", r)
            else:
                m = re.match(r"^([^<]+)<vblex><(tv|iv)><inf>", r)
            if m and (cls == "verb" or m.group(1) == word):
                known[(word, cls)] = ("%s<n><%s>" % (word, cls) if cls in "mf" else
                                      "%s<adj>" % word if cls == "adj" else
                                      "%s<vblex><%s>" % (m.group(1), m.group(2)))
                break
    return known


def main(dump):
    entries = dl.read_sources(dl.source_files())
    words = candidates(entries)
    known = apertium_lexemes(words)
    rng = random.Random(22)
    sample = []
    for cls, n in SAMPLE.items():
        pool = [w for w in words if w[1] == cls and w in known]
        sample += rng.sample(pool, min(n, len(pool)))

    out = subprocess.run([dump], input="".join("%s\t%s\n" % w for w in sample),
                         capture_output=True, text=True, check=True).stdout
    ours = collections.defaultdict(set)
    for line in out.splitlines():
        word, grammar, form = line.split("\t")
        ours[(word, grammar)].add(form)

    slots, requests = [], []
    for word, cls in sample:
        tags = NOUN_TAGS if cls in "mf" else ADJ_TAGS if cls == "adj" else VERB_TAGS
        for grammar, tag in tags.items():
            slots.append((word, cls, grammar))
            requests.append("^%s%s$" % (known[(word, cls)], tag))
    generated = lt_proc(["-g", os.path.join(APERTIUM, "hin.autogen.bin")],
                        "\n".join(requests) + "\n").split("\n")
    agree, compared, uncountable, disagree = 0, 0, 0, []
    by_class = collections.Counter()
    for (word, cls, grammar), g in zip(slots, generated):
        theirs = {unicodedata.normalize("NFC", a) for a in g.strip().split("/") if a}
        if not theirs or any(a[0] in "#*@" for a in theirs):
            continue  # Apertium cannot make this slot
        mine = ours.get((word, grammar)) or {word}
        if cls in "mf" and theirs == {word} and word not in mine:
            uncountable += 1  # a noun Apertium's lexicon gives no plural of its own
            continue
        compared += 1
        by_class[cls, "all"] += 1
        if mine & theirs:
            agree += 1
            by_class[cls, "agree"] += 1
        else:
            disagree.append("%s %s: %s / apertium %s" % (word, grammar, "/".join(sorted(mine)),
                                                          "/".join(sorted(theirs))))
    share = agree / compared if compared else 0.0
    print("Inflection of %d words (%s) against Apertium: %d of %d slots agree (%.1f %%)"
          % (len(sample), ", ".join("%s %d" % (c, sum(1 for _, k in sample if k == c))
                                     for c in SAMPLE), agree, compared, 100 * share))
    print("  (%d noun slots left out: Apertium keeps the noun unchanged, as a mass noun)"
          % uncountable)
    for cls in SAMPLE:
        if by_class[cls, "all"]:
            print("  %s: %.1f %% of %d" % (cls, 100 * by_class[cls, "agree"] / by_class[cls, "all"],
                                          by_class[cls, "all"]))
    print("disagreements (%d):" % len(disagree))
    for d in disagree:
        print("  " + d)
    if compared < 1000 or share < BAR:
        print("FAILED: %.1f %% of %d slots (bar %.0f %% of at least 1000)"
              % (100 * share, compared, 100 * BAR))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
