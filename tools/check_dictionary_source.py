#!/usr/bin/python3
"""Check a Hindi-Russian dictionary source file (TSV: headword, transliteration, Russian).

Usage: check_dictionary_source.py FILE.tsv ... [--words HINDI_WORD_LIST] [--no-russian]
                                  [--hunspell-only] [--format-only]

Format faults are always checked. Hindi spelling is checked against hunspell-hi's forms (the
list given with --words, else hi_IN.dic itself, which has no affix rules, or its expansion by
unmunch) and, when apertium-hin and lttoolbox are installed, against apertium-hin's lemmas
and its analyser (a word known to either counts as known); Russian spelling with
`hunspell -d ru_RU`. Every unknown word must be listed with a reason in the neighbouring
FILE.exceptions.tsv (word<TAB>reason), and an exception for a word that is known or no
longer used is stale. Exit status 1 when any fault is found, an unknown word is not listed,
an exception is stale, or fewer than 99 % of the Russian common words (proper names aside)
are known. Across all the files of the folders checked: two full entries that are one word
spelt two ways (nukta, chandrabindu/anusvara, half nasal), a headword given in two files and
a pointer line whose target is not a full entry are faults, and so is a Latin column that
keeps or drops another short a than the Cyrillic reading the line shows (the one rule of
data/transcription.py and its exceptions): the fault says both readings and the two ways to
mend it. Both Hindi figures (hunspell alone, the union) are printed.
"""
import argparse
import glob
import os
import re
import subprocess
import sys
import unicodedata

# Grammatical marks that open a sense.
MARKS = ("м.", "ж.", "гл.", "прил.", "нареч.", "мест.", "послелог", "союз",
         "частица", "межд.", "числ.")

# A sense number opens the part, follows "; " or follows the first grammatical mark.
SENSE_NUMBER_RE = re.compile(
    r"(^|; |^(?:%s) )(\d+)\) " % "|".join(re.escape(m) for m in MARKS))

# A grammatical mark that opens a later "; " part without a sense number before it.
SECOND_MARK_RE = re.compile(
    r"; (%s)(?= |$)" % "|".join(re.escape(m) for m in MARKS))

TRANSLIT_RE = re.compile(r"^[abcdefghijklmnopqrstuvxyzTDNRSG]+$")
# Characters allowed in the Russian part besides Cyrillic and Devanagari letters.
RUSSIAN_PUNCT = set(" ,;.:!?-~)0123456789")

# Devanagari consonants (with nukta forms decomposed as consonant + U+093C).
CONSONANTS = {
    "क": "k", "ख": "kh", "ग": "g", "घ": "gh", "ङ": "ng",
    "च": "ch", "छ": "chh", "ज": "j", "झ": "jh", "ञ": "ny",
    "ट": "T", "ठ": "Th", "ड": "D", "ढ": "Dh", "ण": "N",
    "त": "t", "थ": "th", "द": "d", "ध": "dh", "न": "n",
    "प": "p", "फ": "ph", "ब": "b", "भ": "bh", "म": "m",
    "य": "y", "र": "r", "ल": "l", "व": "v",
    "श": "sh", "ष": "Sh", "स": "s", "ह": "h",
}
NUKTA_CONSONANTS = {"क": "q", "ख": "x", "ग": "Gh", "ज": "z", "फ": "f",
                    "ड": "R", "ढ": "Rh"}
VOWEL_SIGNS = {"\u093e": "aa", "\u093f": "i", "\u0940": "ii", "\u0941": "u",
               "\u0942": "uu", "\u0943": "ri", "\u0947": "e", "\u0948": "ai",
               "\u094b": "o", "\u094c": "au",
               "\u0949": "o"}   # candra o of English loans: डॉक्टर DokTar
VOWELS = {"अ": "a", "आ": "aa", "इ": "i", "ई": "ii", "उ": "u", "ऊ": "uu",
          "ऋ": "ri", "ए": "e", "ऐ": "ai", "ओ": "o", "औ": "au",
          "ऑ": "o"}
VIRAMA, NUKTA = "\u094d", "\u093c"
NASALS = {"\u0902": "(?:n|m)", "\u0901": "(?:n|m)"}   # anusvara, chandrabindu
VISARGA = "\u0903"


def devanagari_pattern(word):
    """Regular expression of the transliterations a Devanagari word may have.

    The inherent vowel after a consonant is optional (schwa deletion)."""
    out = []
    i, n = 0, len(word)
    while i < n:
        ch = word[i]
        if ch in CONSONANTS:
            code = CONSONANTS[ch]
            i += 1
            if i < n and word[i] == NUKTA:
                if ch not in NUKTA_CONSONANTS:
                    raise ValueError("nukta on a letter that takes none: " + ch)
                code = NUKTA_CONSONANTS[ch]
                i += 1
            out.append(re.escape(code))
            if i < n and word[i] == VIRAMA:
                i += 1
            elif i < n and word[i] in VOWEL_SIGNS:
                out.append(VOWEL_SIGNS[word[i]])
                i += 1
            else:
                out.append("(?:a)?")
        elif ch in VOWELS:
            out.append(VOWELS[ch])
            i += 1
        elif ch in NASALS:
            out.append(NASALS[ch])
            i += 1
        elif ch == VISARGA:
            out.append("h")
            i += 1
        else:
            raise ValueError("unexpected character U+%04X" % ord(ch))
    return re.compile("^" + "".join(out) + "$")


def is_devanagari_word(s):
    return bool(s) and all("\u0900" <= c <= "\u097f" for c in s)


def load_exceptions(path):
    words, faults = {}, []
    if not os.path.exists(path):
        return words, faults
    with open(path, encoding="utf-8") as f:
        for no, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            parts = line.split("\t")
            if len(parts) != 2 or not parts[0] or not parts[1].strip():
                faults.append("%s:%d: expected word<TAB>reason" % (path, no))
                continue
            words[unicodedata.normalize("NFC", parts[0])] = parts[1]
    return words, faults


# Abbreviations of grammar notes (3 л. ед. ч. наст. вр.), like the marks not spelling words.
GRAMMAR_ABBREVIATION_RE = re.compile(
    r"(?<![\u0400-\u04ff-])(?:л|ч|р|ед|мн|вр|наст|прош|буд)\.")

def check_russian_part(text):
    """Faults of field 3 as a list of messages."""
    faults = []
    if text.startswith("см."):
        m = POINTER_RE.match(text)
        if not m:
            return ["a pointer is written 'см. HEADWORD' or 'см. HEADWORD - note'"]
        bad = sorted({c for c in m.group(2) or ""
                      if c == ")" or c in "ёЁ" or not (c in RUSSIAN_PUNCT
                                                     or "\u0400" <= c <= "\u04ff"
                                                     or "\u0900" <= c <= "\u097f")})
        if bad:
            faults.append("characters %s not allowed in a pointer's note" % "".join(bad))
        return faults
    for c in text:
        if c in "([]{}":
            faults.append("parenthesis-like character %r" % c)
        elif c == "\t":
            faults.append("tab")
        elif "a" <= c.lower() <= "z":
            faults.append("Latin letter %r" % c)
        elif c == "ё" or c == "Ё":
            faults.append("ё is written as е")
        elif not (c in RUSSIAN_PUNCT or "\u0400" <= c <= "\u04ff"
                  or "\u0900" <= c <= "\u097f"):
            faults.append("character %r not allowed" % c)
    if ")" in SENSE_NUMBER_RE.sub(r"\1", text):
        faults.append("')' used outside sense numbering")
    for tok in text.split(" "):
        if len(tok) > 40:
            faults.append("token longer than 40 characters: " + tok)
        if tok == "":
            faults.append("double or edge space")
    # The first sense starts with a mark; numbered senses run 1, 2, 3 ...
    body = re.sub(r"^1\) ", "", text)
    if not any(body.startswith(mark + " ") or body == mark for mark in MARKS):
        faults.append("does not start with a grammatical mark")
    # A second part of speech is a numbered sense of its own: "1) м. ...; 2) прил. ...".
    for m in SECOND_MARK_RE.finditer(text):
        faults.append("second part of speech %r not opened by a sense number" % m.group(1))
    numbers = [int(n) for _, n in SENSE_NUMBER_RE.findall(text)]
    if numbers and numbers != list(range(1, len(numbers) + 1)):
        faults.append("senses numbered %s" % numbers)
    if len(numbers) == 1:
        faults.append("a single sense is not numbered")
    return [f for i, f in enumerate(faults) if f not in faults[:i]]


APERTIUM_DIR = "/usr/share/apertium/apertium-hin"
HUNSPELL_HI = ("/usr/share/hunspell/hi_IN.dic", "/usr/share/hunspell/hi_IN.aff")
# Unicode letters with nukta that NFC keeps decomposed; the analyser also knows them composed.
NUKTA_COMPOSED = {"\u0915\u093c": "\u0958", "\u0916\u093c": "\u0959", "\u0917\u093c": "\u095a",
                  "\u091c\u093c": "\u095b", "\u0921\u093c": "\u095c", "\u0922\u093c": "\u095d",
                  "\u092b\u093c": "\u095e", "\u092f\u093c": "\u095f"}


def hunspell_hindi_words(path):
    """The hunspell-hi forms: from the given list, else expanded with unmunch, else None."""
    if path and os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            return {unicodedata.normalize("NFC", w.strip()) for w in f if w.strip()}
    if not all(os.path.exists(p) for p in HUNSPELL_HI):
        return None
    with open(HUNSPELL_HI[1], encoding="utf-8") as f:
        affixes = any(re.match(r"(SFX|PFX) ", line) for line in f)
    if not affixes:
        # hi_IN has no affix rules: its .dic is the whole list of forms.
        with open(HUNSPELL_HI[0], encoding="utf-8") as f:
            lines = f.read().split("\n")[1:]
        return {unicodedata.normalize("NFC", w.split("/")[0].strip())
                for w in lines if w.strip()}
    try:
        res = subprocess.run(["unmunch"] + list(HUNSPELL_HI), capture_output=True)
    except OSError:
        return None
    text = res.stdout.decode("utf-8", errors="replace")
    return {unicodedata.normalize("NFC", w.strip()) for w in text.split("\n") if w.strip()}


def with_composed_nukta(word):
    for dec, comp in NUKTA_COMPOSED.items():
        word = word.replace(dec, comp)
    return word


def apertium_known(words):
    """The words that apertium-hin knows, as a lemma of its dictionary or as a form its
    analyser recognises; None when the package (or lt-proc) is missing."""
    dix = os.path.join(APERTIUM_DIR, "apertium-hin.hin.dix")
    automorf = os.path.join(APERTIUM_DIR, "hin.automorf.bin")
    if not (os.path.exists(dix) and os.path.exists(automorf)):
        return None
    with open(dix, encoding="utf-8-sig") as f:
        lemmas = {unicodedata.normalize("NFC", m) for m in re.findall(r'<e [^>]*lm="([^"]+)"', f.read())}
    words = sorted(words)
    variants = [with_composed_nukta(w) for w in words]
    try:
        res = subprocess.run(["lt-proc", automorf], input="\n".join(words + variants) + "\n",
                             capture_output=True, text=True)
    except OSError:
        return None
    analysed = set()
    for form, _ in re.findall(r"\^([^/$]+)/([^*$][^$]*)\$", res.stdout):
        analysed.add(unicodedata.normalize("NFC", form))
        analysed.add(form)
    known = set()
    for w, v in zip(words, variants):
        if w in lemmas or v in lemmas or w in analysed or v in analysed:
            known.add(w)
    return known


# What one line of the result list and the query line can hold: a headword of at most 20
# display codes (the query takes 31 bytes), a Russian part of one line of text.
MAX_HEADWORD_CODES = 20
MAX_RUSSIAN = 150
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "hindi"))
sys.path.insert(0, os.path.join(ROOT, "data"))
import hindi_codec  # noqa: E402
import dictionary_lines as dl  # noqa: E402
import transcription  # noqa: E402
from dictionary_lines import POINTER_RE, folded, pointer_target  # noqa: E402


def check_sizes(head, ru):
    """Faults of a headword too long for the query line or a Russian part too long for
    one line of the result list."""
    faults = []
    try:
        codes = len(hindi_codec.to_codes(head))
    except ValueError as e:
        return ["headword has no display codes: %s" % e]
    if codes > MAX_HEADWORD_CODES:
        faults.append("headword of %d display codes (at most %d)" % (codes, MAX_HEADWORD_CODES))
    if len(ru) > MAX_RUSSIAN:
        faults.append("Russian part of %d characters (at most %d)" % (len(ru), MAX_RUSSIAN))
    return faults


def read_entries(path):
    """(headword, Russian part, line number) of every entry line of a source file."""
    out = []
    with open(path, encoding="utf-8", errors="replace") as f:
        for no, line in enumerate(f.read().split("\n"), 1):
            fields = line.split("\t")
            if line and not line.startswith("#") and len(fields) == 3:
                out.append((unicodedata.normalize("NFC", fields[0]), fields[2], no))
    return out


def load_homographs(directory):
    """Pairs of distinct words that fold to one spelling (जरा old age, ज़रा a little),
    from homographs.txt: word<TAB>word<TAB>reason."""
    pairs, faults = set(), []
    path = os.path.join(directory, "homographs.txt")
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for no, line in enumerate(f, 1):
                line = line.rstrip("\n")
                if not line or line.startswith("#"):
                    continue
                parts = line.split("\t")
                if len(parts) != 3 or not parts[2].strip():
                    faults.append("%s:%d: expected word<TAB>word<TAB>reason" % (path, no))
                    continue
                a, b = (unicodedata.normalize("NFC", w) for w in parts[:2])
                pairs.add(frozenset((a, b)))
    return pairs, faults


def check_across(paths):
    """Faults that need every source file of the checked files' folders: two full entries
    that differ only by nukta, chandrabindu/anusvara or a half nasal, and pointers whose
    target is not a full entry. Faults are reported for the checked files only."""
    checked = {os.path.abspath(p) for p in paths}
    folders = sorted({os.path.dirname(p) for p in checked})
    full, pointers, faults, seen = {}, [], [], {}
    homographs = set()
    for folder in folders:
        pairs, hf = load_homographs(folder)
        homographs |= pairs
        faults += hf
        for src in sorted(glob.glob(os.path.join(folder, "*.tsv"))):
            if src.endswith(".exceptions.tsv"):
                continue
            for head, ru, no in read_entries(src):
                where = "%s:%d" % (os.path.relpath(src), no)
                mine = os.path.abspath(src) in checked
                first = seen.setdefault(head, (where, mine, src))
                if first[2] != src and (mine or first[1]):
                    faults.append("%s: headword %s already has an entry at %s"
                                  % (where, head, first[0]))
                target = pointer_target(ru)
                if target is not None:
                    pointers.append((head, target, where, mine))
                else:
                    full.setdefault(folded(head), []).append((head, where, mine))
    for same in full.values():
        for i, (head, where, mine) in enumerate(same):
            for other, other_where, other_mine in same[:i]:
                if (mine or other_mine) and other != head \
                        and frozenset((head, other)) not in homographs:
                    faults.append("%s: full entry %s is a variant spelling of %s at %s; make "
                                  "one of them a pointer line (or list a true pair in "
                                  "homographs.txt)" % (where, head, other, other_where))
    heads = {h for same in full.values() for h, _, _ in same}
    for head, target, where, mine in pointers:
        if mine and target not in heads:
            faults.append("%s: pointer %s leads to %s, which is not a full entry"
                          % (where, head, target))
        if mine and target == head:
            faults.append("%s: pointer %s leads to itself" % (where, head))
    return faults


def latin_kept(word, latin):
    """Which inherent vowels of word the Latin transliteration keeps (a list of bools in
    order), None when the Latin does not fit the word's letters."""
    try:
        pattern = devanagari_pattern(unicodedata.normalize("NFD", word))
    except ValueError:
        return None
    m = re.match(pattern.pattern.replace("(?:a)?", "(a)?"), latin)
    return [g is not None for g in m.groups()] if m else None


def reading_fault(entry):
    """A message when the entry's Latin column keeps or drops another short a than the
    reading its line shows, else None. A pointer said as its target (another spelling of
    it) is held to the target's reading."""
    kept = latin_kept(entry.headword, entry.translit)
    if kept is None:
        return None             # the Latin does not fit the letters: a fault of its own
    shown = entry.reading()
    try:
        latin_says = transcription.transcribe(entry.said_as, kept)
    except ValueError:
        return None             # another spelling with other inherent vowels: not comparable
    # Only the short a's are compared: how a nasal is said (м, н, Н or a nasal vowel) is the
    # reading's own choice, which the Latin's single n cannot tell.
    sounds = lambda text: text.replace(transcription.SEPARATOR, "").translate(  # noqa: E731
        transcription.NASALS_FOLDED)
    if sounds(latin_says) == sounds(shown):
        return None
    word = entry.said_as
    return ("the Latin column %r keeps other short a's (ъ) than the line's reading: it says "
            "%s, the line shows %s. If the line is right, correct the Latin column; if the "
            "Latin is right, add the line '%s\t%s\t<why>' to data/transcription.exceptions.tsv"
            % (entry.translit, latin_says, shown, word, latin_says))


def check_readings(paths):
    """Faults of the checked files' entries whose Latin column disagrees with the reading
    their line shows; every source file of their folders is read for pointer targets."""
    checked = {os.path.abspath(p) for p in paths}
    folders = sorted({os.path.dirname(p) for p in checked})
    sources = [p for folder in folders for p in dl.source_files(folder)]
    try:
        entries = dl.read_sources(sources)
    except (dl.SourceError, ValueError):
        return []               # malformed or repeated lines: reported by the other checks
    faults = []
    for e in entries:
        src = e.where.rsplit(":", 1)[0]
        if os.path.abspath(os.path.join(dl.ROOT, src)) not in checked \
                and os.path.abspath(src) not in checked:
            continue
        try:
            fault = reading_fault(e)
        except transcription.TranscriptionError:
            continue            # no reading at all: the build names it
        if fault:
            faults.append("%s: %s %s" % (e.where, e.headword, fault))
    return faults


def check_file(path, args, hunspell_words, totals):
    """Check one source file; returns True when it passes."""
    faults = []
    exc_path = re.sub(r"\.tsv$", "", path) + ".exceptions.tsv"
    exceptions, exc_faults = load_exceptions(exc_path)
    faults += exc_faults

    with open(path, "rb") as f:
        raw = f.read()
    if b"\r" in raw:
        faults.append("%s: CR characters (line ends must be LF)" % path)
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        print("%s: not UTF-8: %s" % (path, e))
        return False

    seen = {}
    hindi_words = set()
    russian_words = set()
    entries = 0
    long_lines = 0
    for no, line in enumerate(text.split("\n"), 1):
        if line == "" or line.startswith("#"):
            continue
        where = "%s:%d" % (path, no)
        fields = line.split("\t")
        if len(fields) != 3:
            faults.append("%s: %d fields instead of 3" % (where, len(fields)))
            continue
        entries += 1
        head, tr, ru = fields
        if unicodedata.normalize("NFC", head) != head:
            faults.append("%s: headword not in NFC" % where)
        head = unicodedata.normalize("NFC", head)
        if not is_devanagari_word(head):
            faults.append("%s: headword %r is not one Devanagari word" % (where, head))
        elif head in seen:
            faults.append("%s: headword %s repeats line %d" % (where, head, seen[head]))
        else:
            seen[head] = no
            hindi_words.add(head)
        if not TRANSLIT_RE.match(tr):
            faults.append("%s: transliteration %r has letters outside the scheme" % (where, tr))
        elif is_devanagari_word(head):
            try:
                if not devanagari_pattern(head).match(tr):
                    faults.append("%s: transliteration %r does not fit %s" % (where, tr, head))
            except ValueError as e:
                faults.append("%s: %s" % (where, e))
        for f in check_russian_part(ru):
            faults.append("%s: %s" % (where, f))
        if len(line) > 200:
            long_lines += 1
        for f in check_sizes(head, ru):
            faults.append("%s: %s" % (where, f))
        # A pointer's target is checked in its own file; the note's Hindi words here.
        target = pointer_target(ru)
        for tok in re.findall(r"[\u0900-\u097f]+", ru[len("см. ") + len(target):]
                              if target else ru):
            hindi_words.add(unicodedata.normalize("NFC", tok))
        # Senses after ';' that contain Devanagari are examples; check the
        # Russian words everywhere, grammatical marks excepted.
        stripped = ru
        for mark in MARKS:
            stripped = re.sub(r"(?:^|(?<=[ ;]))" + re.escape(mark) + r"(?= |$)", " ", stripped)
        stripped = GRAMMAR_ABBREVIATION_RE.sub(" ", stripped)
        for tok in re.findall(r"[\u0400-\u04ff]+(?:-[\u0400-\u04ff]+)*", stripped):
            russian_words.add(tok)

    for f in faults:
        print(f)
    ok = not faults
    totals["entries"] += entries
    if args.format_only:
        print("%s: %d entries, %d faults (format only)" % (path, entries, len(faults)))
        return ok

    hindi_unknown, russian_unknown = [], []
    # Hindi spelling: hunspell-hi's forms, and apertium-hin's lemmas and analyser.
    if hunspell_words is not None:
        aper = apertium_known(hindi_words) if not args.hunspell_only else None
        known_h = {w for w in hindi_words if w in hunspell_words}
        known_u = known_h | (aper or set())
        unknown = sorted(hindi_words - known_u)
        hindi_unknown = unknown
        not_excused = [w for w in unknown if w not in exceptions]
        n = max(1, len(hindi_words))
        totals["hindi"] |= hindi_words
        totals["hindi_hunspell"] |= known_h
        totals["hindi_union"] |= known_u
        print("Hindi: %d distinct words, %.1f %% known to hunspell-hi, %s, %d unknown, "
              "%d of them not in the exceptions" % (
                  len(hindi_words), 100.0 * len(known_h) / n,
                  "%.1f %% to hunspell-hi or apertium-hin" % (100.0 * len(known_u) / n)
                  if aper is not None else "apertium-hin not available",
                  len(unknown), len(not_excused)))
        for w in not_excused:
            print("  Hindi word neither in the word lists nor in the exceptions:", w)
        if not_excused:
            ok = False
    else:
        print("hunspell-hi word list missing: Hindi spelling not checked")
        ok = False

    if not args.no_russian:
        res = subprocess.run(["hunspell", "-i", "UTF-8", "-d", "ru_RU", "-l"],
                             input="\n".join(sorted(russian_words)) + "\n",
                             capture_output=True, text=True,
                             env=dict(os.environ, LC_ALL="C.UTF-8"))
        if res.returncode != 0:
            print("hunspell failed: " + res.stderr.strip())
            ok = False
        else:
            unknown = sorted(set(res.stdout.split()))
            russian_unknown = unknown
            not_excused = [w for w in unknown if w not in exceptions]
            # The share is taken over the common words: a proper name (capitalised) unknown
            # to hunspell is judged by its exception alone.
            common = [w for w in russian_words if not w[0].isupper()]
            share = 100.0 * (len(common) - len([w for w in unknown if not w[0].isupper()])) \
                / max(1, len(common))
            totals["russian"] |= russian_words
            totals["russian_unknown"] |= set(unknown)
            print("Russian: %d distinct words, %.2f %% of the common ones known to hunspell, %d unknown, "
                  "%d of them not in the exceptions" % (len(russian_words), share,
                                                       len(unknown), len(not_excused)))
            for w in not_excused:
                print("  Russian word unknown to hunspell and not in the exceptions:", w)
            if not_excused or share < 99.0:
                ok = False

    # Exceptions that no longer name an unknown word of the file are stale.
    used = set(hindi_unknown) | set(russian_unknown)
    checked = [w for w in exceptions
               if is_devanagari_word(w) or not args.no_russian]
    stale = sorted(set(checked) - used)
    for w in stale:
        print("  stale exception, word is known or no longer used: " + w)
    if stale and not args.hunspell_only:
        ok = False

    print("%s: %d entries, %d lines longer than 200 characters, %d exceptions, %d faults"
          % (path, entries, long_lines, len(exceptions), len(faults)))
    return ok


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("files", nargs="+", metavar="FILE.tsv")
    ap.add_argument("--words", default="",
                    help="hunspell-hi forms, one a line (default: hunspell-hi's own list)")
    ap.add_argument("--no-russian", action="store_true",
                    help="skip the hunspell run for Russian")
    ap.add_argument("--hunspell-only", action="store_true",
                    help="judge Hindi by hunspell-hi alone, without apertium-hin")
    ap.add_argument("--format-only", action="store_true",
                    help="check the format only, no spelling")
    args = ap.parse_args(argv)

    hunspell_words = None if args.format_only else hunspell_hindi_words(args.words)
    totals = {"entries": 0, "hindi": set(), "hindi_hunspell": set(), "hindi_union": set(),
              "russian": set(), "russian_unknown": set()}
    ok = True
    for path in args.files:
        ok = check_file(path, args, hunspell_words, totals) and ok
    across = check_across(args.files) + check_readings(args.files)
    for f in across:
        print(f)
    ok = ok and not across
    if len(args.files) > 1 and not args.format_only:
        nh, nr = max(1, len(totals["hindi"])), max(1, len(totals["russian"]))
        print("All files: %d entries; Hindi %d distinct words: %.1f %% known to hunspell-hi, "
              "%.1f %% to hunspell-hi or apertium-hin; Russian %d distinct words: %.2f %% "
              "known to hunspell" % (
                  totals["entries"], len(totals["hindi"]),
                  100.0 * len(totals["hindi_hunspell"]) / nh,
                  100.0 * len(totals["hindi_union"]) / nh, len(totals["russian"]),
                  100.0 * (len(totals["russian"]) - len(totals["russian_unknown"])) / nr))
    return 0 if ok else 1

if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
