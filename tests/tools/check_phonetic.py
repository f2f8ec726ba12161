#!/usr/bin/python3
"""The Phonetic search measured against morphology and romanisation made by others.

Usage: check_phonetic.py PHONETIC_DUMP DICTIONA.DAT

1. Hindi inflection (Apertium's apertium-hin, lt-proc): the first 250 nouns and 250 verbs of
   the dictionary sources that Apertium's analyser knows each get their forms generated (nouns:
   singular and plural, direct and oblique; verbs: participles, future, subjunctive,
   imperative, absolutive, oblique infinitive). Each form, in Devanagari and romanised by ICU
   (uconv, Devanagari-Latin in plain letters: a learner's Latin), must find its headword,
   or a pointer line naming it, in 95 % of the cases.
2. Every headword romanised by ICU finds its entry in 95 % of the cases, and 95 % of those
   searches list at most 20 entries.
3. Russian: words of the dictionary's Russian that are forms of one word (one Snowball stem,
   stemwords, and one lemma by hunspell-ru; Snowball alone also joins derived words such as
   осторожно and осторожность, which Phonetic keeps apart), searched one for the other,
   find each other in 95 % of the pairs.
Prints the figures; exits 1 when one falls short.
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
sys.path.insert(0, os.path.join(ROOT, "hindi"))
import dictionary_lines as dl  # noqa: E402
import hindi_codec  # noqa: E402

APERTIUM = "/usr/share/apertium/apertium-hin"
NOUN_TAGS = ["<sg><nom>", "<sg><obl>", "<pl><nom>", "<pl><obl>"]
VERB_TAGS = ["<impf><m><sg>", "<impf><f><sg>", "<impf><m><pl>", "<perf><m><sg>",
             "<perf><f><sg>", "<perf><m><pl>", "<fut><p3><m><sg>", "<fut><p3><f><sg>",
             "<fut><p3><m><pl>", "<fut><p1><m><sg>", "<fut><p2><m><pl>", "<prs><p3><sg>",
             "<prs><p3><pl>", "<prs><p1><sg>", "<imp><p2><pl>", "<imp><p2><frm><pl>", "<gna>",
             "<inf><obl>"]


def lt_proc(args, text):
    out = subprocess.run(["lt-proc", *args], input=text, capture_output=True, text=True,
                         check=True).stdout
    return re.findall(r"\^(.*?)\$", out) if "-g" not in args else out.split("\n")


def romanise(words):
    """ICU's ISO 15919 romanisation in plain letters, as a learner types it: the nasal signs
    as n, the sh sounds as sh, the diacritics dropped."""
    out = subprocess.run(["uconv", "-f", "utf-8", "-t", "utf-8", "-x", "Devanagari-Latin; NFC"],
                         input="\n".join(words) + "\n", capture_output=True, text=True,
                         check=True).stdout
    plain = []
    for w in out.split("\n")[:len(words)]:
        w = w.replace("m\u0310", "n").replace("\u1e41", "n")
        w = w.replace("\u015b", "sh").replace("\u1e63", "sh")
        w = "".join(c for c in unicodedata.normalize("NFD", w) if not unicodedata.combining(c))
        plain.append(w)
    return plain


def search(dump, dictionary, queries):
    out = subprocess.run([dump, dictionary], input="\n".join(queries) + "\n",
                         capture_output=True, text=True, check=True).stdout.split("\n")
    results = []
    for row in out[:len(queries)]:
        found, _, lines = row.partition("\t")
        results.append([int(n) for n in lines.split(",") if n] if found != "!" else None)
    return results


def dictionary_lines(path):
    """Per line of dictiona.dat: its headword and its whole text, in Unicode."""
    heads, texts = [], []
    with open(path, "rb") as f:
        for raw in f.read().split(b"\r\n"):
            if not raw:
                continue
            head = raw.split(b" (", 1)[0]
            heads.append(unicodedata.normalize("NFC", hindi_codec.from_codes(head)))
            texts.append(hindi_codec.decode_line(raw))
    return heads, texts


def known_lexemes(entries, verb):
    """(headword, Apertium lemma, tags) of the entries Apertium's analyser knows as a noun of
    that headword or as the infinitive of a verb, in source order."""
    analyses = lt_proc(["-a", os.path.join(APERTIUM, "hin.automorf.bin")],
                       " ".join(e.headword for e in entries) + "\n")
    lexemes = []
    for e, analysis in zip(entries, analyses):
        for r in analysis.split("/")[1:]:
            m = re.match(r"^([^<]+)(<vblex><(?:tv|iv)>)<inf>", r) if verb else \
                re.match(r"^([^<]+)<n>(<[mf]>)", r)
            if m and (verb or m.group(1) == e.headword):
                lexemes.append((e.headword, m.group(1), m.group(2), verb))
                break
    return lexemes


def finds(result, headword, heads, texts):
    """Whether a search result shows the headword's entry or a pointer line naming it."""
    return result is not None and any(
        heads[n] == headword or ("см. " + headword) in texts[n] for n in result)


def rate(hits, total):
    return hits / total if total else 0.0


def main(dump, dictionary):
    heads, texts = dictionary_lines(dictionary)
    entries = dl.read_sources(dl.source_files())
    failures = []

    # 1. Apertium's forms of nouns and verbs.
    nouns = [e for e in entries if re.match(r"^(м\.|ж\.)", e.russian)]
    verbs = [e for e in entries if e.russian.startswith("гл.") and e.headword.endswith("ना")]
    lexemes = known_lexemes(nouns, False)[:250] + known_lexemes(verbs, True)[:250]
    requests, owners = [], []
    for head, lemma, tags, verb in lexemes:
        for t in (VERB_TAGS if verb else NOUN_TAGS):
            requests.append("^%s<%s>%s%s$" % (lemma, "vblex" if verb else "n",
                                              tags.replace("<vblex>", ""), t))
            owners.append(head)
    generated = lt_proc(["-g", os.path.join(APERTIUM, "hin.autogen.bin")],
                        "\n".join(requests) + "\n")
    forms = sorted({(unicodedata.normalize("NFC", alternative), head)
                    for g, head in zip(generated, owners)
                    for alternative in g.strip().split("/")
                    if alternative and alternative[0] not in "#*@" and alternative != head})
    words = [f for f, _ in forms]
    verbs = sum(verb for _, _, _, verb in lexemes)
    latin = romanise(words)
    for name, queries in (("Devanagari", words), ("ICU Latin", latin)):
        results = search(dump, dictionary, queries)
        hits = sum(finds(r, head, heads, texts) for r, (_, head) in zip(results, forms))
        misses = [q for q, r, (_, head) in zip(queries, results, forms)
                  if not finds(r, head, heads, texts)]
        share = rate(hits, len(forms))
        print("Apertium forms of %d nouns and %d verbs, %s: %d of %d find their headword "
              "(%.1f %%)" % (len(lexemes) - verbs, verbs, name, hits, len(forms), 100 * share))
        print("  missed, e.g.: " + " ".join(misses[:12]))
        if len(lexemes) < 300 or share < 0.95:
            failures.append("Apertium forms, %s: %.1f %%" % (name, 100 * share))

    # 2. Every headword romanised: found, and in a short list.
    all_heads = [e.headword for e in entries]
    romanised = romanise(all_heads)
    results = search(dump, dictionary, romanised)
    found = sum(finds(r, h, heads, texts) for r, h in zip(results, all_heads))
    counts = sorted(len(r) for r in results if r is not None)
    short = sum(c <= 20 for c in counts)
    print("ICU romanisation of %d headwords: %.1f %% find their entry; %.1f %% list at most 20 "
          "entries (median %d, largest %d)"
          % (len(all_heads), 100 * rate(found, len(all_heads)), 100 * rate(short, len(counts)),
             counts[len(counts) // 2], counts[-1]))
    if rate(found, len(all_heads)) < 0.95 or rate(short, len(counts)) < 0.95:
        failures.append("romanised headwords")

    # 3. Russian forms Snowball puts together.
    russian = sorted({w.lower().replace("ё", "е") for e in entries
                      for w in re.findall(r"[а-яёА-ЯЁ]{3,}", e.russian)})
    stems = subprocess.run(["stemwords", "-l", "russian"], input="\n".join(russian) + "\n",
                           capture_output=True, text=True, check=True).stdout.split("\n")
    groups = collections.defaultdict(list)
    for w, s in zip(russian, stems):
        groups[s].append(w)
    # Snowball also joins derived words (справедливость, справедливый); hunspell-ru's stems
    # keep only the pairs that are forms of one word.
    lemmas = collections.defaultdict(set)
    out = subprocess.run(["hunspell", "-d", "ru_RU", "-s"], input="\n".join(russian) + "\n",
                         capture_output=True, text=True, check=True).stdout
    for line in out.split("\n"):
        parts = line.split()
        if len(parts) == 2:
            lemmas[parts[0]].add(parts[1])
    pairs = [(a, b) for g in groups.values() for a in g for b in g
             if a != b and lemmas[a] & lemmas[b]]
    random.Random(5).shuffle(pairs)
    pairs = pairs[:400]
    results = search(dump, dictionary, [a for a, _ in pairs])
    together = 0
    apart = []
    for (a, b), r in zip(pairs, results):
        shown = " ".join(texts[n].lower().replace("ё", "е") for n in (r or []))
        if re.search(r"(?<![а-я])%s(?![а-я])" % b, shown):
            together += 1
        else:
            apart.append("%s/%s" % (a, b))
    print("Russian forms of one word (Snowball stem, hunspell-ru lemma): %d of %d find each other (%.1f %%)"
          % (together, len(pairs), 100 * rate(together, len(pairs))))
    print("  apart, e.g.: " + " ".join(apart[:12]))
    if rate(together, len(pairs)) < 0.95:
        failures.append("Russian pairs")

    if failures:
        print("FAILED: " + "; ".join(failures))
        return 1
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
