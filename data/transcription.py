"""The pronunciation of a Hindi headword in Cyrillic, as every dictionary line shows it.

    transcribe(word) -> str     the rule's reading of a Devanagari word (Unicode, 1251-safe)
    reading(word)    -> str     the reading a line shows: the exception list, else the rule

The reading is written in Windows-1251 only, so it goes into a line as it is, and so that
no Hindi-code query can meet it (the display faces' codes never reach the Cyrillic
letters). To keep Russian queries from meeting it too, it is made unlike Russian words:

  * the short a (the inherent vowel, a central [ə]) is "ъ", the reduced vowel of Russian
    phonetic transcription (कमल къ-мъл); every long vowel carries ":" (а: и: у: е: э: о:),
    ए ऐ ओ included, which are always long in Hindi: a mark inside every syllable that holds
    one keeps it from reading as a piece of a Russian word;
  * ए is "е:" after a consonant and "э:" elsewhere, ऐ is the open "э:" (में ме:~, मैं мэ:~),
    ओ is "о:", औ "ау", the loan vowels ऑ "о" and ॅ "э" (short: डॉक्टर Док-Тър);
  * a nasal vowel is followed by "~" (माँ ма:~, में ме:~);
  * retroflex consonants are capital letters (ट Т, ड Д, ण Н, ड़ Р), aspiration is
    "х" after the consonant (ख кх, ठ Тх, भ бх); ष is said like श (ш), ज्ञ as гй;
  * syllables are separated by "-" (किताब ки-та:б, नमस्ते нъ-мъс-те:).

Together these leave few runs of three letters that a Russian word can begin with: the
short a, the commonest vowel, is never "а", and the "-" cuts every run at a syllable.

The rule: the inherent vowel is dropped at the end of a word of more than one syllable
(kept after a cluster ending in r, v or y: मित्र мит-ръ, सत्य сът-йъ), and inside a word
where a vowel and one consonant precede it and one consonant and a vowel follow (VC_CV),
taken from the word's end towards its start (समझना съ-мъджх-на:); a cluster before it keeps
it. A compound is read member by member: a second member of SECOND_MEMBERS (-जनक, -करण,
-शास्त्र, -कार, -वाला, -दार, -नामा, -नाक ...) or a first member of FIRST_MEMBERS (अर्थ-,
धर्म-, कर्म-, दर्द- ...) splits the word, and each part is judged as a word of its own
(संतोषजनक сън-то:ш-джъ-нък, दर्दनाक дърд-на:к). A word ending in a visarga is a Sanskrit
adverb and keeps every short a (मूलतः му:-лъ-тъх).

An anusvara before a consonant after a short vowel is a nasal consonant, the one of the
consonant's place (हिंदी хин-ди:, संबंध съм-бъндх, ठंडा ТхъН-Да:), and counts as a consonant
for the short a: संगठन сън-гъ-Тхън, like सन्तति. After आ and ऊ it is the consonant too
(शांति ша:н-ти), after ई ए ऐ ओ औ only in the stems of NASAL_CONSONANT_STEMS (केंद्र ке:нд-ръ);
elsewhere it and the chandrabindu make the vowel nasal (माँ ма:~, में ме:~, गेंद ге:~д).
A consonant cluster between two vowels is split before its last consonant.

What the rule gets wrong for a word is written by hand in transcription.exceptions.tsv
(headword<TAB>reading<TAB>why). The sources' Latin column must keep and drop the same short
a's as the reading its line shows (tools/check_dictionary_source.py fails otherwise), so the
rule, its exceptions and the Latin column are one account of how each word is said.
"""

import os
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
EXCEPTIONS_PATH = os.path.join(HERE, "transcription.exceptions.tsv")

SEPARATOR = "-"             # hyphen: no code of the Hindi faces, unlike the middle dot (0xB7, the digit २)
LONG = ":"
NASAL = "~"
# A nasal said as м, н, Н or as a nasal vowel, folded to н: where a reading is compared with one
# that cannot tell how a nasal is said (a Latin column's single n, or the rule's guess an
# exception may correct).
NASALS_FOLDED = str.maketrans({"м": "н", "Н": "н", NASAL: "н"})

VIRAMA, NUKTA = "\u094d", "\u093c"
ANUSVARA, CHANDRABINDU, VISARGA = "\u0902", "\u0901", "\u0903"
IGNORED = {"\u200c", "\u200d"}

CONSONANTS = {
    "क": "к", "ख": "кх", "ग": "г", "घ": "гх", "ङ": "н",
    "च": "ч", "छ": "чх", "ज": "дж", "झ": "джх", "ञ": "н",
    "ट": "Т", "ठ": "Тх", "ड": "Д", "ढ": "Дх", "ण": "Н",
    "त": "т", "थ": "тх", "द": "д", "ध": "дх", "न": "н",
    "प": "п", "फ": "пх", "ब": "б", "भ": "бх", "म": "м",
    "य": "й", "र": "р", "ल": "л", "व": "в",
    "श": "ш", "ष": "ш", "स": "с", "ह": "х",
}
# Consonants with nukta: the sounds of Persian, Arabic and English loans, and the flaps.
NUKTA_CONSONANTS = {"क": "к", "ख": "х", "ग": "г", "ज": "з", "फ": "ф", "ड": "Р", "ढ": "Рх"}
CONSONANT_READINGS = set(CONSONANTS.values()) | set(NUKTA_CONSONANTS.values()) | {"гй"}
LABIALS = {"п", "пх", "б", "бх", "м"}
RETROFLEX = {"Т", "Тх", "Д", "Дх"}
# Vowel letters and signs: (reading, short). ए is handled apart (е or э).
VOWELS = {"अ": ("ъ", True), "आ": ("а:", False), "इ": ("и", True), "ई": ("и:", False),
          "उ": ("у", True), "ऊ": ("у:", False), "ऋ": ("ри", True), "ए": ("E", False),
          "ऐ": ("э:", False), "ओ": ("о:", False), "औ": ("ау", False), "ऑ": ("о", True),
          "ऍ": ("э", True)}
SIGNS = {"\u093e": "आ", "\u093f": "इ", "\u0940": "ई", "\u0941": "उ", "\u0942": "ऊ",
         "\u0943": "ऋ", "\u0947": "ए", "\u0948": "ऐ", "\u094b": "ओ", "\u094c": "औ",
         "\u0949": "ऑ", "\u0945": "ऍ"}
DIGITS = {chr(0x0966 + d): str(d) for d in range(10)}
DANDAS = {"\u0964", "\u0965"}

# Second members of compounds and suffixes that join a whole word: the word before keeps
# the reading it has alone (संतोषजनक сън-то:ш-джъ-нък, अर्थशास्त्र ъртх-ша:ст-ръ,
# दर्दनाक дърд-на:к, निजीकरण ни-джи:-къ-ръН). Longest first; a word before it of at
# least two vowels.
SECOND_MEMBERS = sorted((
    "जनक", "करण", "शास्त्र", "शास्त्री", "कार", "कारी", "दायक", "वाला", "वाली", "वाले",
    "दार", "दारी", "नामा", "नाक", "मंद", "पूर्ण", "पूर्वक", "हीन", "कालीन", "कालिक",
    "सभा", "गृह", "कला", "कथा", "पति", "नगर", "घर", "संगत", "वादी", "गणित", "वचन",
    "विराम", "चिह्न", "भवन", "महल", "प्रेम", "द्रोह", "द्रोही", "स्थल", "ग्रस्त", "मग्न",
    "समूह"), key=len, reverse=True)
# First members that end in a cluster and drop their a before the next word, as they do
# at the end of a word (धर्मनिरपेक्ष дхърм-нир-пе:кш, not дхър-мъ-...), and short
# words often first in a compound (लोककथा ло:к-къ-тха:).
FIRST_MEMBERS = ("अर्थ", "धर्म", "कर्म", "दर्द", "अर्ध", "पक्ष", "वर्ष", "तीर्थ", "देश", "लोक",
                 "राज", "जल")

# Stems in which an anusvara after ई ए ऐ ओ औ is the nasal consonant (Sanskrit words and
# English loans); elsewhere it makes the vowel nasal, as in the native words.
NASAL_CONSONANT_STEMS = (
    "केंद्र", "सौंदर्य", "लैंगिक", "ज़मींदार", "ईंधन", "हैंड", "कैंस", "मेंट", "टेंप", "लेंस",
    "टेंश", "एंगल", "ट्रेंड", "पेंट", "पींस", "लैंड", "बेंगलुरु", "जेंट", "कैंप", "डेंगू",
    "सेंस", "टैंक", "बैंड", "चैंपियन", "सैंड", "जींस", "लेंडर", "बेंच", "शैंपू", "कैंटीन",
    "स्टैंड", "पेंगुइन", "एंकर", "पेंशन", "सेंटी", "बैंक", "कैंसिल", "प्लेंट", "चेंज",
    "पैंट", "पेंसिल", "पोंगल", "जेंड", "टेंट", "वेंट", "सेंट", "सेंजर", "ज़ेंट", "रेंस", "पेंड",
    "लेंज", "मेंश", "रेंज", "डेंट", "रेंट", "थैंक", "फ़्रेंड", "नेंट", "टेंड", "थेंस", "टैंगो",
    "कौंसिल", "जेंस", "एंब", "एंट", "प्योंग", "मोंट", "औंस")


class TranscriptionError(ValueError):
    """A character the reading has no rule for."""


class _Vowel:
    __slots__ = ("text", "short", "schwa", "nasal", "consonantal", "dropped")

    def __init__(self, text, short, schwa=False):
        self.text, self.short, self.schwa = text, short, schwa
        self.nasal = None           # None, ANUSVARA or CHANDRABINDU
        self.consonantal = False    # its anusvara is a nasal consonant, not a nasal vowel
        self.dropped = False


def _segments(word):
    """The word as a list of consonant readings (str) and vowels (_Vowel), in order."""
    text = unicodedata.normalize("NFD", word)
    out = []
    i, n = 0, len(text)
    while i < n:
        ch = text[i]
        i += 1
        if ch in IGNORED or ch in DANDAS:
            continue
        if ch in CONSONANTS:
            cons = CONSONANTS[ch]
            if i < n and text[i] == NUKTA:
                cons = NUKTA_CONSONANTS.get(ch, cons)
                i += 1
            if ch == "ज" and text[i:i + 2] == VIRAMA + "ञ":
                cons = "гй"             # ज्ञ is said gya in Hindi: ज्ञान гйа:н
                i += 2
                if i < n and text[i] == NUKTA:
                    i += 1
            out.append(cons)
            if i < n and text[i] == VIRAMA:
                i += 1
            elif i < n and text[i] in SIGNS:
                out.extend(_vowel(SIGNS[text[i]]))
                i += 1
            else:
                out.append(_Vowel("ъ", True, schwa=True))
        elif ch in VOWELS:
            out.extend(_vowel(ch))
        elif ch in (ANUSVARA, CHANDRABINDU):
            if out and isinstance(out[-1], _Vowel):
                out[-1].nasal = ch
            else:
                raise TranscriptionError("%s: nasal sign with no vowel before it" % word)
        elif ch == VISARGA:
            if i >= n:                  # अतः а-тах; inside a word it is not heard: दुःख
                out.append("х")
        elif ch in DIGITS or ch == "-":
            out.append(DIGITS.get(ch, ch))
        else:
            raise TranscriptionError("%s: no reading for U+%04X" % (word, ord(ch)))
    return out


def _vowel(letter):
    text, short = VOWELS[letter]
    if letter == "ऋ":                # a syllabic r: read as р + и
        return ["р", _Vowel("и", True)]
    return [_Vowel(text, short)]


def _drop_schwas(seg, kept=None, parts=None):
    """Mark the inherent vowels that are not heard: by kept (one decision for each inherent
    vowel in order), else by the rule, part by part of a compound (parts: the indices in seg
    where a part begins; every part is judged as a word of its own)."""
    if kept is not None:            # the caller says which inherent vowels are heard
        schwas = [s for s in seg if isinstance(s, _Vowel) and s.schwa]
        if len(schwas) != len(kept):
            raise ValueError("%d inherent vowels, %d decisions" % (len(schwas), len(kept)))
        for v, k in zip(schwas, kept):
            v.dropped = not k
        return
    starts = list(parts or [0]) + [len(seg)]
    for a, b in zip(starts, starts[1:]):
        _drop_schwas_of_word(seg[a:b])


def _heard_as_vowel(s):
    """True for a vowel with nothing consonantal after it in its syllable: a vowel whose
    anusvara is a nasal consonant (संगठन сън-гъ-Тхън) closes its syllable like one."""
    return isinstance(s, _Vowel) and not s.consonantal


def _drop_schwas_of_word(seg):
    vowels = [k for k, s in enumerate(seg) if isinstance(s, _Vowel)]
    if len(vowels) < 2:
        return
    last = vowels[-1]
    v = seg[last]
    if v.schwa and v.nasal is None and last == len(seg) - 1:
        # Kept after a cluster that ends in r, v or y (मित्र, विश्व, सत्य, सूर्य) and
        # after ज्ञ (विशेषज्ञ); not after r + consonant (धर्म, अर्थ), a doubled consonant
        # (उत्पन्न, चित्त), a nasal or a consonant + n (जन्म, यत्न, स्वप्न).
        c1, c2 = seg[last - 2], seg[last - 1]
        cluster = isinstance(c2, str) and (isinstance(c1, str) or c2 == "гй")
        kept = cluster and (c2 in ("й", "гй") or (c1 != "р" and c1 != c2
                                                 and c2 in ("р", "в")))
        v.dropped = not kept
    # A doubled stem (बड़बड़ाना, चमचमाना, चटपटा: C a X a C' a X ...) is two words:
    # the schwa between the halves goes, the one inside the second half stays.
    echo = (len(seg) > 7 and all(isinstance(seg[k], str) for k in (0, 2, 4, 6))
            and all(isinstance(seg[k], _Vowel) and seg[k].schwa and seg[k].nasal is None
                    for k in (1, 3, 5))
            and seg[2] == seg[6]
            and not (len(seg) == 8 and seg[6] == "н"))     # पनपना: -ना is the ending
    if echo:
        seg[3].dropped = True
    # VC_CV from the end towards the start; the first vowel always stays. A cluster before
    # (CC_CV) keeps the vowel, an anusvara read as a consonant included.
    for k in reversed(vowels[1:-1]):
        v = seg[k]
        if echo and k in (3, 5):
            continue
        if not v.schwa or v.nasal is not None:
            continue
        before = _live(seg[:k])
        after = _live(seg[k + 1:])
        if (len(before) >= 2 and isinstance(before[-1], str)
                and _heard_as_vowel(before[-2])
                and len(after) >= 2 and isinstance(after[0], str)
                and isinstance(after[1], _Vowel)):
            v.dropped = True


def _live(seg):
    return [s for s in seg if not (isinstance(s, _Vowel) and s.dropped)]


def _vowel_text(v, after_consonant):
    text = v.text
    if text == "E":
        text = "е:" if after_consonant else "э:"
    return text


def _parts(word):
    """The word split where a compound's members or a prefix and a word meet (NFC text):
    a second member of SECOND_MEMBERS at the end, a first member of FIRST_MEMBERS at the
    start, each with a word of at least two vowels before or after it."""
    for member in SECOND_MEMBERS:
        head = word[:-len(member)]
        if word.endswith(member) and _syllables(head) >= 2 and head[-1] != VIRAMA:
            return _parts(head) + [member]
    for member in FIRST_MEMBERS:
        rest = word[len(member):]
        if word.startswith(member) and rest[:1] in CONSONANTS and _syllables(rest) >= 2:
            return [member] + _parts(rest)
    return [word]


def _syllables(text):
    """The number of vowels of a piece of a word (a consonant without virama or vowel
    sign carries the inherent one)."""
    text = unicodedata.normalize("NFD", text)
    count = 0
    for i, ch in enumerate(text):
        nxt = text[i + 1:i + 2]
        if nxt == NUKTA:
            nxt = text[i + 2:i + 3]
        if ch in VOWELS or ch in SIGNS or (ch in CONSONANTS and nxt != VIRAMA
                                           and nxt not in SIGNS):
            count += 1
    return count


def _resolve_anusvara(seg, word):
    """Mark each vowel whose anusvara stands before a consonant and is said as a nasal
    consonant of that consonant's place rather than as a nasal vowel.

    After a short vowel it always is (हिंदी хин-ди:, संगठन сън-гъ-Тхън). After आ and ऊ,
    which have nothing above the top line, the dictionary writes a nasal vowel with
    chandrabindu (आँख, ऊँचा), so an anusvara there is the consonant of Sanskrit words and
    English loans (शांति ша:н-ти, आंदोलन, कांग्रेस). After ई ए ऐ ओ औ a nasal vowel can only
    be written with anusvara, and the native words that have one (गेंद ге:~д, भैंस, ईंट)
    far outnumber the rest; those are told by their stem (NASAL_CONSONANT_STEMS: केंद्र,
    एजेंट, -लैंड ...), since neither the letters nor the Latin column show the difference."""
    marked = any(stem in word for stem in NASAL_CONSONANT_STEMS)
    for k, s in enumerate(seg[:-1]):
        nxt = seg[k + 1]
        if not (isinstance(s, _Vowel) and s.nasal == ANUSVARA and isinstance(nxt, str)
                and nxt in CONSONANT_READINGS):
            continue
        s.consonantal = s.short or s.text in ("а:", "у:") or marked


def transcribe(word, kept=None):
    """The rule's reading of a Devanagari word (see the module's description); kept, when
    given, says for each inherent vowel in order whether it is heard, instead of the rule."""
    seg, parts = [], []
    for part in _parts(unicodedata.normalize("NFC", word)):
        parts.append(len(seg))
        seg += _segments(part)
    _resolve_anusvara(seg, word)
    if kept is not None or not word.endswith(VISARGA):
        # Sanskrit adverbs in -तः, -शः keep every short a (मूलतः му:-лъ-тъх).
        _drop_schwas(seg, kept, parts)
    seg = _live(seg)
    # Phones: consonant readings (str) and vowel readings (tuples), anusvara resolved.
    phones = []
    for k, s in enumerate(seg):
        if isinstance(s, str):
            phones.append(s)
            continue
        after_consonant = k > 0 and isinstance(seg[k - 1], str) and not seg[k - 1].isdigit()
        text = _vowel_text(s, after_consonant)
        nxt = seg[k + 1] if k + 1 < len(seg) else None
        if s.consonantal:
            phones.append((text,))
            phones.append("м" if nxt in LABIALS else "Н" if nxt in RETROFLEX else "н")
        elif s.nasal == ANUSVARA and s.schwa and nxt is None and k > 0:
            phones.append((text,))          # एवं, स्वयं: a final -am of Sanskrit words
            phones.append("м")
        else:
            phones.append((text + (NASAL if s.nasal else ""),))
    # Syllables: each vowel takes the one consonant before it; a vowel after a vowel
    # starts a new syllable; the rest of a cluster closes the syllable before.
    out = []
    vowel_seen = False
    k = 0
    while k < len(phones):
        p = phones[k]
        if isinstance(p, tuple):
            if vowel_seen:
                out.append(SEPARATOR)
            out.append(p[0])
            vowel_seen = True
            k += 1
            continue
        j = k
        while j < len(phones) and isinstance(phones[j], str):
            j += 1
        cluster = phones[k:j]
        if j < len(phones) and vowel_seen:
            out.extend(cluster[:-1])
            out.append(SEPARATOR)
            out.append(cluster[-1])
            out.append(phones[j][0])
            k = j + 1
        else:
            out.extend(cluster)
            if j < len(phones):
                out.append(phones[j][0])
                vowel_seen = True
                k = j + 1
            else:
                k = j
    return "".join(out)


_exceptions = None


def exceptions(path=EXCEPTIONS_PATH):
    """The hand-written readings: {headword: reading}. ValueError on a malformed line."""
    global _exceptions
    if path == EXCEPTIONS_PATH and _exceptions is not None:
        return _exceptions
    table = {}
    with open(path, encoding="utf-8") as f:
        for no, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) != 3 or not all(fields):
                raise ValueError("%s:%d: expected headword<TAB>reading<TAB>why" % (path, no))
            head = unicodedata.normalize("NFC", fields[0])
            if head in table:
                raise ValueError("%s:%d: %s is listed twice" % (path, no, head))
            table[head] = fields[1]
    if path == EXCEPTIONS_PATH:
        _exceptions = table
    return table


def reading(word):
    """The reading a dictionary line shows for its headword."""
    word = unicodedata.normalize("NFC", word)
    return exceptions().get(word) or transcribe(word)
