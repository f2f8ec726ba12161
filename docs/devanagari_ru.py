"""Devanagari for Russian readers: Cyrillic readings of Hindi letters and signs, and the code
table of the dictionary's Hindi encoding read from hindi/encoding.tsv.

Used at build time by the help and the introduction to Hindi, and by the generator of the
keyboard support program's table of code names."""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ENCODING_TSV = os.path.join(ROOT, "hindi", "encoding.tsv")
sys.path.insert(0, os.path.join(ROOT, "hindi"))
from hindi_codec import read_encoding_table  # noqa: E402

VIRAMA = "\u094D"
NUKTA = "\u093C"

# Independent vowels: letter, Cyrillic, remark.
VOWELS = [
    ("\u0905", "ъ", "краткое неясное, как безударное «а» в слове «сады»"),
    ("\u0906", "а:", "долгое открытое «а»"),
    ("\u0907", "и", "краткое"),
    ("\u0908", "и:", "долгое"),
    ("\u0909", "у", "краткое"),
    ("\u090A", "у:", "долгое"),
    ("\u090B", "ри", "в словах из санскрита"),
    ("\u090F", "е:", "долгое узкое «э», ближе к «и»; в транскрипции в начале слова и после гласного — «э:»"),
    ("\u0910", "э:", "долгое широкое «э», рот раскрыт шире; в части слов «ай»"),
    ("\u0913", "о:", "долгое узкое «о», ближе к «у»"),
    ("\u0914", "ау", "долгое широкое «о» (в транскрипции «ау»); в части слов и говоров — «ау»"),
    ("\u0911", "о", "краткое широкое «о», в английских словах (ऑफ़िस — офис)"),
]

# Vowel signs (matras) written with a consonant, here with क: sign, vowel, Cyrillic.
MATRAS = [
    ("\u093E", "\u0906", "а:"), ("\u093F", "\u0907", "и"), ("\u0940", "\u0908", "и:"),
    ("\u0941", "\u0909", "у"), ("\u0942", "\u090A", "у:"), ("\u0943", "\u090B", "ри"),
    ("\u0947", "\u090F", "е:"), ("\u0948", "\u0910", "э:"), ("\u094B", "\u0913", "о:"),
    ("\u094C", "\u0914", "ау"), ("\u0949", "\u0911", "о"),
]
# Where each vowel sign sits around its consonant.
MATRA_PLACE = {
    "\u093F": "перед согласной (пишется раньше, читается после)",
    "\u0941": "под согласной", "\u0942": "под согласной", "\u0943": "под согласной",
    "\u0947": "над согласной", "\u0948": "над согласной",
    "\u093E": "после согласной", "\u0940": "после согласной",
    "\u094B": "после согласной: черта ा со штрихом над ней",
    "\u094C": "после согласной: черта ा с двумя штрихами над ней",
    "\u0949": "после согласной: черта ा с дужкой над ней",
}
MATRA_SOUND = {m: c for m, _, c in MATRAS}

# Consonants: letter, Cyrillic sound without the inherent vowel, remark.
CONSONANTS = [
    ("\u0915", "к", ""), ("\u0916", "кх", "с придыханием"), ("\u0917", "г", ""),
    ("\u0918", "гх", "с придыханием"), ("\u0919", "н", "заднеязычное, перед к, г"),
    ("\u091A", "ч", ""), ("\u091B", "чх", "с придыханием"), ("\u091C", "дж", "слитно"),
    ("\u091D", "джх", "с придыханием"), ("\u091E", "н", "нёбное, перед ч, дж"),
    ("\u091F", "Т", "церебральное: кончик языка загнут к нёбу"),
    ("\u0920", "Тх", "церебральное, с придыханием"), ("\u0921", "Д", "церебральное"),
    ("\u0922", "Дх", "церебральное, с придыханием"), ("\u0923", "Н", "церебральное"),
    ("\u0924", "т", "зубное: язык касается зубов"), ("\u0925", "тх", "зубное, с придыханием"),
    ("\u0926", "д", "зубное"), ("\u0927", "дх", "зубное, с придыханием"),
    ("\u0928", "н", "зубное"), ("\u092A", "п", ""), ("\u092B", "пх", "с придыханием"),
    ("\u092C", "б", ""), ("\u092D", "бх", "с придыханием"), ("\u092E", "м", ""),
    ("\u092F", "й", ""), ("\u0930", "р", "одноударное"), ("\u0932", "л", "среднее между русскими «л» и «ль»"),
    ("\u0935", "в", "чаще губно-зубное, как русское «в», но слабее; после согласной ближе к «у» (द्वार)"),
    ("\u0936", "ш", "шипящее, мягче русского «ш»"),
    ("\u0937", "ш", "в словах из санскрита; в хинди произносится как श"),
    ("\u0938", "с", "свистящее, как русское «с»"),
    ("\u0939", "х", "звонкое, как украинское «г»"),
]
# Consonants with the nukta dot: letter (as consonant + nukta), sound, remark.
NUKTA_CONSONANTS = [
    ("\u0915\u093C", "к", "глубокое, в словах из арабского и персидского"),
    ("\u0916\u093C", "х", "как русское «х»"),
    ("\u0917\u093C", "г", "фрикативное, как «г» в «ага»"),
    ("\u091C\u093C", "з", "как русское «з»"),
    ("\u0921\u093C", "Р", "церебральное, загнутый язык ударяет по нёбу"),
    ("\u0922\u093C", "Рх", "то же, с придыханием"),
    ("\u092B\u093C", "ф", "как русское «ф»"),
]
CONSONANT_SOUND = {c: s for c, s, _ in CONSONANTS}
CONSONANT_SOUND.update({c: s for c, s, _ in NUKTA_CONSONANTS})

SIGNS = {
    "\u0901": ("чандрабинду", "делает гласный носовым"),
    "\u0902": ("анусвара", "носовой гласный или, перед согласным, «н», «м»"),
    "\u0903": ("висарга", "придыхание «х» после гласного, в словах из санскрита"),
    "\u094D": ("халант (вирама)", "снимает гласный «а» у согласного"),
    "\u093C": ("нукта", "точка под буквой для нового звука"),
    "\u0945": ("чандра", "широкое «э» английских слов (кэ); вместе с огласовкой «а:» — краткое широкое «о» (ко)"),
    "\u0964": ("данда", "конец предложения"),
    "\u0965": ("двойная данда", "конец строфы"),
}

DIGITS = "\u0966\u0967\u0968\u0969\u096A\u096B\u096C\u096D\u096E\u096F"

# How a Russian reader should read a cluster that is not regular.
SPECIAL = {"\u091C\u094D\u091E": "гй"}
# Letters whose name is not their sound with "а": the two nasals that occur only before a
# consonant of their own row are named after that sound (ङ [ŋ] «нга», ञ [ɲ] «нья»).
LETTER_NAMES = {"\u0919": "нга", "\u091E": "нья"}


def _syllable(sound, vowel):
    return sound + vowel


def reading(text):
    """A Cyrillic reading of a short Devanagari sequence (a letter, a sign, a cluster): the
    letter's name, as teachers say it. Inherent vowels are read "а" everywhere except after
    a halant, so a word's final consonant gets an "а" that Hindi often drops; the readings
    of whole words are data/transcription.py's."""
    out = []
    i = 0
    n = len(text)
    while i < n:
        for key, value in SPECIAL.items():
            if text.startswith(key, i):
                i += len(key)
                vowel = "а"
                if i < n and text[i] in MATRA_SOUND:
                    vowel = MATRA_SOUND[text[i]]
                    i += 1
                elif i < n and text[i] == VIRAMA:
                    vowel = ""
                    i += 1
                out.append(_syllable(value, vowel) if vowel else value)
                break
        else:
            ch = text[i]
            if i + 1 < n and text[i + 1] == NUKTA and text[i:i + 2] in CONSONANT_SOUND:
                sound = CONSONANT_SOUND[text[i:i + 2]]
                i += 2
            elif ch in CONSONANT_SOUND:
                sound = CONSONANT_SOUND[ch]
                i += 1
            else:
                i += 1
                if ch in MATRA_SOUND:
                    out.append(MATRA_SOUND[ch])
                else:
                    vowel = next((c for v, c, _ in VOWELS if v == ch), None)
                    if vowel is not None:
                        out.append(vowel)
                    elif ch in DIGITS:
                        out.append(str(DIGITS.index(ch)))
                    elif ch in ("\u0901", "\u0902"):
                        out.append("н")
                    elif ch == "\u0903":
                        out.append("х")
                    elif ch == " ":
                        out.append(" ")
                continue
            if i < n and text[i] == VIRAMA:
                out.append(sound)
                i += 1
            elif i < n and text[i] in MATRA_SOUND:
                out.append(_syllable(sound, MATRA_SOUND[text[i]]))
                i += 1
            else:
                out.append(LETTER_NAMES.get(ch, _syllable(sound, "а")))
    return "".join(out)


KIND_RU = {
    "vowel": "гласная",
    "consonant": "согласная",
    "nukta-consonant": "согласная с нуктой",
    "half": "половинная форма",
    "conjunct": "лигатура",
    "ligature": "лигатура",
    "matra": "знак гласного",
    "sign": "знак",
    "reph": "рэф: «р» над слогом",
    "rakar": "«р» под согласной",
    "danda": "данда",
    "digit": "цифра",
}


def encoding_rows(path=ENCODING_TSV):
    """Rows of the code table: (codes as a list of ints, kind, Unicode text, note)."""
    return [(r.codes, r.kind, "".join(chr(u) for u in r.unicode), r.note)
            for r in read_encoding_table(path)]


def describe(kind, text):
    """Russian description of one code: its kind and how it reads."""
    name = KIND_RU.get(kind, kind)
    if kind in ("sign", "danda") and text in SIGNS:
        return "%s \u2014 %s" % SIGNS[text]
    if kind == "half":
        return "%s «%s»" % (name, reading(text))
    if kind in ("matra",):
        return "%s «%s»" % (name, MATRA_SOUND.get(text, reading(text)))
    if kind in ("reph", "rakar"):
        return name
    return "%s «%s»" % (name, reading(text))


NBSP = "\u00a0"
# Abbreviations whose parts must not be split over two lines.
_ABBREVIATIONS = ("м. р.", "ж. р.", "ед. ч.", "мн. ч.", "т. е.", "т. д.", "т. п.", "и т. д.")


def typography(text):
    """Russian typesetting of a text line: a non-breaking space before a dash and inside
    abbreviations (м. р., ед. ч.), so that neither starts a line."""
    text = text.replace(" \u2014", NBSP + "\u2014")
    for abbr in _ABBREVIATIONS:
        text = text.replace(abbr, abbr.replace(" ", NBSP))
    return text
