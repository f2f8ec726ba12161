#!/usr/bin/python3
"""Builds russform.dat: the Russian forms whose stem changes, for the Phonetic search.

Usage: russian_forms.py OUTPUT SOURCES...

The words are those of the dictionary's Russian parts. Candidate forms come from two places:
hunspell-ru's own affix expansion of those words (unmunch; it also makes forms no one says) and
the usual stem alternations of Russian verbs (писать: пиш-у, рисовать: рису-ю, жить: жив-у ...),
and the short stems of nouns with a fleeting vowel (огонь: огн-я, ветер: ветр-а), which hunspell
keeps as words of their own: those lead to the noun when hunspell knows the stem's genitive,
dative and instrumental.
A candidate is kept only when hunspell-ru's analysis (hunspell -s) leads it back to a word of
the dictionary, and only when the regular endings of search/phonetic.cpp do not already reach
that word from it (the endings are read from that file, so the two never differ). The hand list
data/russian_irregular_forms.tsv adds what the analyses miss: irregular and
suppletive forms (идёт, людей, детьми, взял).

Output: Windows-1251, the line "vartolik russian forms 1", then "form lemma[,lemma]" lines
sorted by their bytes, lower case with yo as ye. Prints the counts and the size.
"""
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, HERE)
import dictionary_lines as dl  # noqa: E402

HUNSPELL_DIC = "/usr/share/hunspell/ru_RU.dic"
HUNSPELL_AFF = "/usr/share/hunspell/ru_RU.aff"
HAND_LIST = os.path.join(HERE, "russian_irregular_forms.tsv")
HEADER = "vartolik russian forms 1"
MIN_STEM = 3  # kMinRussianStem


def fold(word):
    return word.lower().replace("ё", "е")


def phonetic_endings():
    """kRussianEndingsUtf8 of search/phonetic.cpp."""
    with open(os.path.join(ROOT, "search", "phonetic.cpp"), encoding="utf-8") as f:
        text = f.read()
    block = re.search(r"kRussianEndingsUtf8\[\] = \{(.*?)\};", text, re.S).group(1)
    return re.findall(r'"([^"]*)"', block)


class Rules:
    """russianStems and russianWordMatches of search/phonetic.cpp."""

    def __init__(self):
        self.endings = phonetic_endings()
        self.ending_set = set(self.endings)

    def stems(self, word):
        stems = [word]
        base = word
        for r in ("ся", "сь"):
            if len(base) > 2 and base.endswith(r):
                base = base[:-2]
                if len(base) >= MIN_STEM and base not in stems:
                    stems.append(base)
                break
        for e in self.endings:
            if len(base) > len(e) and base.endswith(e):
                s = base[:-len(e)]
                if len(s) >= MIN_STEM and s not in stems:
                    stems.append(s)
        return stems

    def is_ending(self, rest):
        for r in ("ся", "сь"):
            if len(rest) >= 2 and rest.endswith(r):
                rest = rest[:-2]
                if not rest:
                    return True
                break
        return rest in self.ending_set

    def reaches(self, form, lemma):
        for s in self.stems(form):
            if lemma.startswith(s) and (len(lemma) == len(s) or
                                        (len(s) >= MIN_STEM and self.is_ending(lemma[len(s):]))):
                return True
        return False


def dictionary_words(sources):
    words = set()
    for e in dl.read_sources(sources):
        for w in re.findall(r"[а-яёА-ЯЁ]{2,}", e.russian):
            words.add(fold(w))
    return words


ALTERNATIONS = [("ст", "щ"), ("ск", "щ"), ("с", "ш"), ("з", "ж"), ("т", "ч"), ("т", "щ"),
                ("д", "ж"), ("к", "ч"), ("г", "ж"), ("х", "ш"), ("б", "бл"), ("п", "пл"),
                ("в", "вл"), ("м", "мл"), ("ф", "фл")]
PRESENT = ["у", "ю", "ешь", "ет", "ем", "ете", "ут", "ют", "ишь", "ит", "им", "ите", "ат", "ят",
           "и", "ь", "й", "ите", "ьте", "йте"]


def verb_candidates(lemma):
    """Present and imperative forms by the usual stem changes; hunspell decides which exist."""
    reflexive = ""
    word = lemma
    if word.endswith(("ся", "сь")):
        word, reflexive = word[:-2], "ся"
    for ending in ("ть", "ти", "чь"):
        if word.endswith(ending):
            stem = word[:-len(ending)]
            break
    else:
        return []
    stems = {stem, stem + "в", stem[:-1]}
    if stem.endswith(("ова", "ева")):
        stems.add(stem[:-3] + "у")
        stems.add(stem[:-3] + "ю")
    if stem.endswith("ва"):
        stems.add(stem[:-2])
    if stem.endswith(("и", "ы", "е")):
        stems.add(stem[:-1] + "ь")
        stems.add(stem[:-1] + "о")
    if word.endswith("чь"):
        stems.update({stem + "г", stem + "к"})
    if word.endswith("сти"):
        stems.update({stem[:-1] + "д", stem[:-1] + "т", stem[:-1] + "б"})
    if stem.endswith("ере"):
        stems.add(stem[:-3] + "р")
    short = {s[:-1] for s in stems if s and s[-1] in "аяеи"} | stems
    for s in list(short):
        for a, b in ALTERNATIONS:
            if s.endswith(a):
                short.add(s[:-len(a)] + b)
    out = []
    for s in short:
        if len(s) < 1:
            continue
        for e in PRESENT:
            out.append(s + e + reflexive)
            out.append(s + e.replace("е", "ё") + reflexive)
    return out


CONSONANTS = "бвгджзклмнпрстфхцчшщ"
# The singular case endings a masculine noun's short stem takes: genitive, dative, instrumental
# (hard stems, then soft ones after -ь).
FLEETING_CASES = (("а", "у", "ом"), ("я", "ю", "ем"))
FLEETING_ENDINGS = ["а", "у", "ом", "е", "ы", "и", "ов", "ам", "ами", "ах",
                    "я", "ю", "ем", "ей", "ям", "ями", "ях"]


def fleeting_stems(word):
    """The short stems of a masculine noun whose last о, е or ё drops before an ending (огонь:
    огн-, ветер: ветр-, лёд: льд-): the stem without that vowel, and with ь for it."""
    m = re.fullmatch(r"(.*[%s])([оеё])([%s])(ь?)" % (CONSONANTS, CONSONANTS), word)
    if not m:
        return []
    head, _, last, soft = m.groups()
    return [(head + last, soft), (head + "ь" + last, soft)]


def fleeting_candidates(word):
    """Each short stem alone and with the case endings; hunspell decides which exist."""
    return [stem + e for stem, _ in fleeting_stems(word) for e in [""] + FLEETING_ENDINGS]


def fleeting_forms(word, known):
    """The case forms of a short stem, when hunspell knows its genitive, dative and instrumental
    (so бор, whose бра and бром are words of their own, gets none) and not the stem alone as a
    word (so пакет does not take the forms of пакт): a noun with a fleeting vowel."""
    forms = []
    for stem, soft in fleeting_stems(word):
        cases = FLEETING_CASES[1] if soft else FLEETING_CASES[0]
        if stem not in known and all(stem + e in known for e in cases):
            forms.extend(stem + e for e in FLEETING_ENDINGS if stem + e in known)
    return forms


def unmunch_forms(words):
    entries = []
    with open(HUNSPELL_DIC, encoding="utf-8") as f:
        next(f)
        for line in f:
            head = line.rstrip("\n").split("/", 1)[0]
            if fold(head) in words:
                entries.append(line.rstrip("\n"))
    with tempfile.NamedTemporaryFile("w", suffix=".dic", encoding="utf-8", delete=False) as t:
        t.write("%d\n%s\n" % (len(entries), "\n".join(entries)))
        path = t.name
    try:
        out = subprocess.run(["unmunch", path, HUNSPELL_AFF], capture_output=True, check=True)
    finally:
        os.unlink(path)
    return [w for w in out.stdout.decode("utf-8", errors="replace").split("\n") if w]


def analyse(candidates):
    """(form, stem) pairs of hunspell -s: the words it knows, with each stem it gives."""
    out = subprocess.run(["hunspell", "-d", "ru_RU", "-s", "-i", "utf-8"],
                         input="\n".join(candidates) + "\n", capture_output=True, text=True,
                         check=True).stdout
    pairs = set()
    for line in out.split("\n"):
        parts = line.split()
        if len(parts) == 2:
            pairs.add((parts[0], parts[1]))
    return pairs


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        return 2
    output, sources = argv[0], argv[1:]
    words = dictionary_words(sources)
    rules = Rules()
    candidates = set(unmunch_forms(words))
    for w in words:
        if w.endswith(("ть", "ти", "чь", "ться", "тись", "чься")):
            candidates.update(verb_candidates(w))
    fleeting = {}
    for w in words:
        for c in fleeting_candidates(w):
            fleeting.setdefault(c, set()).add(w)
    candidates.update(fleeting)
    analysed = analyse(sorted(candidates))
    forms = {}
    for form, stem in analysed:
        form, stem = fold(form), fold(stem)
        if stem in words and form != stem:
            forms.setdefault(form, set()).add(stem)
    # Nouns with a fleeting vowel (огонь: огня), whose short forms hunspell keeps as words of
    # their own: each form it knows leads to the noun.
    known = {fold(form) for form, _ in analysed}
    for w in words:
        for form in fleeting_forms(w, known):
            if form != w:
                forms.setdefault(form, set()).add(w)
    hand = 0
    with open(HAND_LIST, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            form, lemma = (fold(x) for x in line.rstrip("\n").split("\t"))
            if lemma in words:
                forms.setdefault(form, set()).add(lemma)
                hand += 1
    lines = []
    for form, lemmas in forms.items():
        kept = sorted(l for l in lemmas if not rules.reaches(form, l))
        if kept:
            lines.append((form.encode("cp1251"), ",".join(kept).encode("cp1251")))
    lines.sort()
    data = (HEADER + "\n").encode("ascii") + b"".join(f + b" " + l + b"\n" for f, l in lines)
    with open(output, "wb") as f:
        f.write(data)
    print("russform.dat: %d forms of %d dictionary words (%d from the hand list), %d bytes"
          % (len(lines), len({l for _, ls in lines for l in ls.split(b",")}), hand, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
