"""The Cyrillic readings of Hindi words in the documents' text, set against the reading the
dictionary itself shows (data/transcription.py: its rule and hand-written exceptions), so a
learner never meets two readings of one word.

A reading is found in three shapes: in parentheses right after the words ("किताब
(ки-та:б)", "घर (гхър, «дом»)"), in quotes after a dash ("कमल — «къ-мъл»", "क — это «къ»")
and in a table whose first column holds Hindi words and whose second is headed "чтение"
(cells of several words split at ", "). Words in parentheses may instead be a translation
found in the word's dictionary entry ("पानी (вода)")."""

import os
import re
import sys
import unicodedata

ROOT = os.environ.get("VARTOLIK_ROOT", ".")
sys.path.insert(0, os.path.join(ROOT, "data"))
import dictionary_lines  # noqa: E402
import transcription  # noqa: E402

DEVA = "\u0900-\u097F"
VIRAMA = "\u094d"
# A word starts with a letter (not a vowel sign: "-ा (-а:)" is an ending) and follows no
# hyphen or other Devanagari.
WORD = "(?<![-%s])[\u0904-\u0939\u0958-\u0961\u0972-\u097F][%s]*" % (DEVA, DEVA)
WORDS = "%s(?: %s)*" % (WORD, WORD)
TOKEN = "[а-яёА-ЯЁ][а-яёА-ЯЁ:~\\-]*"
INLINE = re.compile(r"(%s) \((%s(?: %s)*)[,)]" % (WORDS, TOKEN, TOKEN))
QUOTED = re.compile(r"(?<![%s] )(%s)[ \u00a0]— (?:это )?«(%s)»" % (DEVA, WORD, TOKEN))
TABLE_WORD_COLUMNS = ("хинди", "послелог")

# The nasal consonant an anusvara stands for before a consonant of each place; the rule
# writes it so after a short vowel (съм-бъндх, ТхъН-Да:).
_PLACE_NASAL = [("пбм", "м"), ("ТД", "Н"), ("", "н")]


def _nasal_before(consonant):
    return next(n for letters, n in _PLACE_NASAL if not letters or consonant in letters)


def loan_anusvara_readings(word, rule):
    """The readings of a word whose anusvara, after a long vowel and before a consonant, is
    the nasal consonant (शांति ша:н-ти, बैंक бэ:нк), as Sanskrit and English words say it,
    where the rule writes a nasal vowel (ша:~-ти)."""
    if "\u0902" not in word:
        return set()
    return {re.sub(r"~(-?)([бвгджзйклмнпрстфхчшДНРТ])",
                   lambda m: _nasal_before(m.group(2)) + m.group(1) + m.group(2), rule)}


_SHOWN = {}


def shown_reading(word):
    """The reading the dictionary's line shows for a headword (a pointer that only spells its
    target otherwise shows the target's), else the rule's reading of the word."""
    if not _SHOWN:
        for e in dictionary_lines.read_sources(dictionary_lines.source_files()):
            _SHOWN[e.headword] = e.reading()
    return _SHOWN.get(word) or transcription.reading(word)


def accepted(word, written):
    """Whether `written` is a right reading of the Devanagari `word` (one word)."""
    rule = shown_reading(unicodedata.normalize("NFC", word))
    if written == rule or written in loan_anusvara_readings(word, rule):
        return True
    # A lone letter or cluster quoted by its sound, without the inherent vowel (ट «Т»).
    return "-" not in rule and rule.endswith("ъ") and written == rule[:-1]


def found_readings(text):
    """(Hindi words, reading as written) for every reading in a document's text; the text
    holds table cells separated by tabs, one table row or paragraph per line."""
    pairs = [m.groups() for m in INLINE.finditer(text)]
    pairs += [m.groups() for m in QUOTED.finditer(text)]
    pairs = [p for p in pairs if not p[0].endswith(VIRAMA)]     # a half form, not a word
    header = None
    for line in text.split("\n"):
        if "\t" not in line:
            header = None
            continue
        cells = [c.strip() for c in line.split("\t")]
        if header is None:
            header = cells
            continue
        if len(cells) > 1 and header[0] in TABLE_WORD_COLUMNS and header[1] == "чтение":
            pairs += list(zip(cells[0].split(", "), cells[1].split(", ")))
    return pairs


_translations = None


def translations(word):
    """The Russian part of the word's dictionary entry, in lower case ("" when none)."""
    global _translations
    if _translations is None:
        entries = dictionary_lines.read_sources(dictionary_lines.source_files())
        _translations = {e.headword: e.russian.lower() for e in entries}
    return _translations.get(unicodedata.normalize("NFC", word), "")


def wrong_readings(pairs):
    """The pairs whose reading is not the dictionary's, as "words (reading): dictionary's"."""
    wrong = []
    for words, written in pairs:
        hindi, cyrillic = words.split(), written.split()
        if len(hindi) == len(cyrillic) and all(map(accepted, hindi, cyrillic)):
            continue
        if len(hindi) == 1 and re.search(r"(?<!\w)%s(?!\w)" % re.escape(written.lower()),
                                         translations(words)):
            continue    # a translation, not a reading
        wrong.append("%s (%s): the dictionary reads %s" % (
            words, written, " ".join(transcription.reading(w) for w in hindi)))
    return wrong
