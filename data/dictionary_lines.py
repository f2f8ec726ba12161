"""The dictionary's source entries, their order and their lines in dictiona.dat.

Shared by build_dictionary.py (sources -> dictiona.dat) and validate_dictionary.py
(dictiona.dat -> checked against the sources).

Source: data/dictionary/*.tsv (not *.exceptions.tsv), UTF-8, one entry a line:
headword<TAB>transliteration<TAB>Russian part; "#" starts a comment line.

A line of dictiona.dat: `<headword> (<reading>) <Russian part>`, Hindi in the codes of the
display faces (hindi/hindi_codec.py), everything else Windows-1251, CR LF at the end. The
reading is the headword's pronunciation in Cyrillic, made by transcription.py (the rule and
its hand-written exceptions); a pointer line that is only another spelling of its target
shows the target's reading. The source's Latin transliteration stays in the source, where
the checker holds it to the reading, and is not written into the line.

Devanagari alphabetical order (sort_key), the order of Hindi dictionaries:
  * letters in varnamala order: the vowels अ आ इ ई उ ऊ ऋ ए ऐ ओ औ, then the loan vowel ऑ;
    the consonants क ख ग घ ङ च छ ज झ ञ ट ठ ड ढ ण त थ द ध न प फ ब भ म य र ल व श ष स ह;
    an independent vowel sorts before any consonant;
  * a consonant is followed by its vowel: the inherent a first, then the vowel signs in the
    order of the vowels, then the virama (a half letter), so कम < काम < किसान < कौन < क्या
    and conjuncts (क्ष, त्र, ज्ञ, श्र) sort by their letters at the end of their first
    letter's section;
  * chandrabindu, anusvara and visarga (in that order) sort right after the vowel they
    follow and before any further letter: कँ < कं < कः < कक;
  * nukta letters (क़ ख़ ग़ ज़ ड़ ढ़ फ़) sort with their base letter and only break ties, the
    word with the nukta after the same word without it: जरा < ज़रा < जल;
  * a word that is the beginning of another comes first; the Unicode text breaks the last
    ties so the order is total.
"""

import glob
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "hindi"))
import hindi_codec  # noqa: E402
import transcription  # noqa: E402

SOURCE_DIR = os.path.join(HERE, "dictionary")

VIRAMA, NUKTA = "\u094d", "\u093c"
VOWELS = "अआइईउऊऋएऐओऔऑ"
VOWEL_SIGNS = {"\u093e": "आ", "\u093f": "इ", "\u0940": "ई", "\u0941": "उ", "\u0942": "ऊ",
               "\u0943": "ऋ", "\u0947": "ए", "\u0948": "ऐ", "\u094b": "ओ", "\u094c": "औ",
               "\u0949": "ऑ"}
CONSONANTS = "कखगघङचछजझञटठडढणतथदधनपफबभमयरलवशषसह"
NASALS = {"\u0901": 1, "\u0902": 2, "\u0903": 3}     # chandrabindu, anusvara, visarga

# Ranks of the primary key; the slot after a consonant holds its vowel or the virama.
_VOWEL_RANK = {v: 10 + i for i, v in enumerate(VOWELS)}
_VIRAMA_RANK = 10 + len(VOWELS)
_CONSONANT_RANK = {c: 100 + i for i, c in enumerate(CONSONANTS)}
_IGNORED = {"\u200c", "\u200d"}


class SourceError(ValueError):
    """A fault of the source files, with file and line."""


def sort_key(word):
    """Key of a Devanagari word in dictionary order (see the module's description)."""
    text = unicodedata.normalize("NFD", word)
    primary, secondary = [], []
    i, n = 0, len(text)
    while i < n:
        ch = text[i]
        i += 1
        if ch in _IGNORED:
            continue
        if ch in _CONSONANT_RANK:
            primary.append(_CONSONANT_RANK[ch])
            nukta = i < n and text[i] == NUKTA
            if nukta:
                i += 1
            secondary.append(1 if nukta else 0)
            if i < n and text[i] == VIRAMA:
                primary.append(_VIRAMA_RANK)
                i += 1
            elif i < n and text[i] in VOWEL_SIGNS:
                primary.append(_VOWEL_RANK[VOWEL_SIGNS[text[i]]])
                i += 1
            else:
                primary.append(_VOWEL_RANK["अ"])
        elif ch in _VOWEL_RANK:
            primary.append(_VOWEL_RANK[ch])
        elif ch in NASALS:
            primary.append(NASALS[ch])
        else:
            raise ValueError("%r: no place in the alphabet for U+%04X" % (word, ord(ch)))
    return (tuple(primary), tuple(secondary), unicodedata.normalize("NFC", word))


def source_files(directory=SOURCE_DIR):
    return sorted(p for p in glob.glob(os.path.join(directory, "*.tsv"))
                  if not p.endswith(".exceptions.tsv"))


# A pointer line: "см. " and the target headword, then an optional note after " - ".
POINTER_RE = re.compile(r"^см\. ([\u0900-\u097f]+)(?: - (.+))?$")
NASAL_CONSONANTS = "ङञणनम"


def pointer_target(text):
    """The target headword of a pointer line's Russian part, None for a full entry."""
    m = POINTER_RE.match(text)
    return unicodedata.normalize("NFC", m.group(1)) if m else None


def folded(word):
    """The spelling a word has once nukta, chandrabindu/anusvara and a half nasal before a
    consonant are set aside: two spellings of one word (ज़िंदगी, जिन्दगी) share it."""
    t = unicodedata.normalize("NFD", word).replace("\u0901", "\u0902")
    # The dot of a loan letter (क़ ख़ ग़ ज़ फ़) goes; ड़ and ढ़ are letters of their own.
    t = re.sub("(?<=[कखगजफ])" + NUKTA, "", t)
    return re.sub("[%s]%s(?=[\u0915-\u0939])" % (NASAL_CONSONANTS, VIRAMA), "\u0902", t)


class Entry:
    __slots__ = ("headword", "translit", "russian", "where", "said_as")

    def __init__(self, headword, translit, russian, where, said_as=None):
        self.headword, self.translit, self.russian, self.where = \
            headword, translit, russian, where
        self.said_as = said_as or headword      # the word whose reading the line shows

    def reading(self):
        """The reading the entry's line shows: its own exception, else the reading of the
        word it is said as (the rule or that word's exception)."""
        return transcription.exceptions().get(self.headword) \
            or transcription.reading(self.said_as)

    def text(self):
        """The entry's line in Unicode, without the line end."""
        return "%s (%s) %s" % (self.headword, self.reading(), self.russian)


def mark_spellings(entries):
    """A pointer line that only spells its target otherwise (nukta, chandrabindu or
    anusvara, a half nasal: जिन्दगी, हंसी, अन्तराल) is said as its target and shows the
    target's reading; other pointers (forms like है, spellings with another vowel like गरम)
    keep their own."""
    full = {e.headword for e in entries if pointer_target(e.russian) is None}
    for e in entries:
        target = pointer_target(e.russian)
        if target in full and folded(target) == folded(e.headword):
            e.said_as = target


def read_sources(paths):
    """All entries of the source files; SourceError names every fault found."""
    entries, faults, seen = [], [], {}
    for path in paths:
        name = os.path.relpath(path, ROOT) if path.startswith(ROOT + os.sep) else path
        try:
            with open(path, encoding="utf-8", newline="") as f:
                lines = f.read().split("\n")
        except (OSError, UnicodeDecodeError) as e:
            faults.append("%s: cannot be read: %s" % (name, e))
            continue
        for no, line in enumerate(lines, 1):
            if not line.strip() or line.startswith("#"):
                continue
            where = "%s:%d" % (name, no)
            fields = line.split("\t")
            if len(fields) != 3 or not all(fields):
                faults.append("%s: expected headword<TAB>transliteration<TAB>Russian" % where)
                continue
            head = unicodedata.normalize("NFC", fields[0])
            if head in seen:
                faults.append("%s: headword %s already has an entry at %s"
                              % (where, head, seen[head]))
                continue
            seen[head] = where
            entries.append(Entry(head, fields[1], unicodedata.normalize("NFC", fields[2]),
                                 where))
    if faults:
        raise SourceError("\n".join(faults))
    mark_spellings(entries)
    return entries


def encode_entry(entry):
    """The entry's line of dictiona.dat, without the line end."""
    return hindi_codec.encode_line(entry.text())


# ---------------------------------------------------------------- the result list's tokens

PLAIN, HEADWORD, HINDI, NOTE, NOTE_END = range(5)
STATE_NAMES = ("Plain", "Headword", "HindiText", "Note", "NoteEnd")


def renderer_tokens(line):
    """The tokens of one line (bytes, no line end) as the result list classifies them:
    a list of (state, token bytes) in the state each token is drawn in. Mirrors the
    renderer's token machine: the first token is the headword; in Plain a "(" opens a
    note and a Hindi byte makes the token Hindi text; in a note the ")" ends it."""
    out = []
    state = HEADWORD
    for tok in line.split(b" "):
        for b in tok:
            if b == 0x28:
                if state == PLAIN:
                    state = NOTE
            else:
                if state == PLAIN and hindi_codec.is_hindi_byte(b):
                    state = HINDI
                if b == 0x29 and state == NOTE:
                    state = NOTE_END
        out.append((state, tok))
        if state == NOTE_END:
            state = PLAIN
        if state in (HEADWORD, HINDI):
            state = PLAIN
    return out
