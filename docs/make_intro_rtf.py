"""Builds intro.doc, "Information On Hindi", an RTF document that word processors open, from
the readable source intro_ru.txt. Devanagari is written as Unicode escapes (\\uN?) in a
Devanagari face, Russian as Unicode escapes with Windows-1251 fallbacks.

Source markup: "# " title (its next line is the subtitle), "## " and "### " headings,
paragraphs (one per line), "| a | b |" table rows (a "|---|" row ends the header), "**bold**",
and "@name" lines that insert a generated table (vowels, consonants, othercons, nukta,
signs, conjuncts, digits). The document's language is Russian (\\deflang1049) and each
Devanagari run is marked Hindi (\\lang1081).

usage: make_intro_rtf.py SOURCE OUTPUT"""

import re
import sys

import devanagari_ru as dv

FONT_TEXT, FONT_DEVA, FONT_HEAD = 0, 1, 2
# Language identifiers: the document is Russian, its Devanagari runs are Hindi, so that
# word processors check the spelling of each in its own language.
LANG_RUSSIAN, LANG_HINDI = 1049, 1081


def is_deva(ch):
    return "\u0900" <= ch <= "\u097F"


def escape_char(ch):
    if ch in "\\{}":
        return "\\" + ch
    if ch == dv.NBSP:
        return "\\~"
    code = ord(ch)
    if code < 0x80:
        return ch
    signed = code if code < 0x8000 else code - 0x10000
    try:
        fallback = "\\'%02x" % ch.encode("cp1251")[0]
    except UnicodeEncodeError:
        fallback = "?"
    return "\\u%d%s" % (signed, fallback)


def text(s, deva_size=None):
    """RTF for a run of text; Devanagari runs (with the spaces between them) go into the
    Devanagari face, a little larger than the Russian around them; Russian typesetting
    (non-breaking spaces) applied."""
    s = dv.typography(s)
    out = []
    i = 0
    while i < len(s):
        if is_deva(s[i]):
            j = i
            while j < len(s) and (is_deva(s[j]) or (s[j] == " " and j + 1 < len(s) and is_deva(s[j + 1]))
                                  or s[j] in "\u200c\u200d"):
                j += 1
            size = "\\fs%d" % deva_size if deva_size else "\\fs28"
            out.append("{\\f%d\\af%d\\lang%d%s " % (FONT_DEVA, FONT_DEVA, LANG_HINDI, size)
                       + "".join(escape_char(c) for c in s[i:j]) + "}")
            i = j
        else:
            out.append(escape_char(s[i]))
            i += 1
    return "".join(out)


def inline(s):
    """Text with **bold** spans."""
    parts = re.split(r"\*\*(.+?)\*\*", s)
    out = []
    for k, part in enumerate(parts):
        out.append("{\\b %s}" % text(part) if k % 2 else text(part))
    return "".join(out)


def table(rows, widths, header=True, deva_size=None):
    """An RTF table; widths in twips; the first row shaded as a header."""
    out = []
    for r, row in enumerate(rows):
        out.append("\\trowd\\trgaph80\\trleft0\\trkeep")
        x = 0
        for w in widths:
            x += w
            shade = "\\clcbpat4" if header and r == 0 else ""
            out.append("\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                       "\\clbrdrr\\brdrs\\brdrw10%s\\clvertalc\\cellx%d" % (shade, x))
        cells = []
        for c in row:
            body = "{\\b %s}" % inline(c) if header and r == 0 else (
                text(c, deva_size) if deva_size else inline(c))
            cells.append("\\pard\\intbl\\sb40\\sa40 %s\\cell" % body)
        out.append("".join(cells) + "\\row")
    out.append("\\pard\\sa120\\par")
    return "\n".join(out)


def vowels_table():
    rows = [["буква", "с согласной क", "чтение", "как произносить", "где огласовка"]]
    matra_of = {v: m for m, v, _ in dv.MATRAS}
    for letter, reading, note in dv.VOWELS:
        matra = matra_of.get(letter)
        rows.append([letter, "\u0915" + matra if matra else "\u0915", reading, note,
                     dv.MATRA_PLACE.get(matra, "огласовки нет") if matra else "огласовки нет"])
    return table(rows, [1000, 1400, 800, 3600, 2800])


def consonants_table():
    groups = [
        ("заднеязычные", "\u0915\u0916\u0917\u0918\u0919"),
        ("нёбные", "\u091A\u091B\u091C\u091D\u091E"),
        ("церебральные", "\u091F\u0920\u0921\u0922\u0923"),
        ("зубные", "\u0924\u0925\u0926\u0927\u0928"),
        ("губные", "\u092A\u092B\u092C\u092D\u092E"),
    ]
    rows = [["", "глухой", "с придыханием", "звонкий", "с придыханием", "носовой"]]
    for name, letters in groups:
        rows.append([name] + ["%s %s" % (c, dv.reading(c)) for c in letters])
    out = table(rows, [1900, 1540, 1540, 1540, 1540, 1540])
    notes = [["буква", "чтение", "особенность"]]
    for letter, reading, note in dv.CONSONANTS:
        if note and not "\u092F" <= letter <= "\u0939":
            notes.append([letter, dv.reading(letter), note])
    return out + "\n" + table(notes, [1300, 1300, 7000])


def other_consonants_table():
    rows = [["буква", "чтение", "какой звук"]]
    for letter, reading, note in dv.CONSONANTS:
        if "\u092F" <= letter <= "\u0939":
            rows.append([letter, dv.reading(letter), note or "как русское «%s»" % reading])
    return table(rows, [1300, 1300, 7000])


def nukta_table():
    examples = {
        "\u0915\u093C": "क़लम (къ-лъм) — перо",
        "\u0916\u093C": "ख़बर (хъ-бър) — новость",
        "\u0917\u093C": "ग़लत (гъ-лът) — неверный",
        "\u091C\u093C": "ज़मीन (зъ-ми:н) — земля",
        "\u0921\u093C": "पेड़ (пе:Р) — дерево",
        "\u0922\u093C": "पढ़ना (пъРх-на:) — читать",
        "\u092B\u093C": "फ़िल्म (филм) — фильм",
    }
    rows = [["буква", "чтение", "как произносить", "пример"]]
    for letter, reading, note in dv.NUKTA_CONSONANTS:
        rows.append([letter, dv.reading(letter), note, examples[letter]])
    return table(rows, [1100, 1100, 3600, 3800])


def signs_table():
    examples = {
        "\u0901": "हाँ (ха:~) — да",
        "\u0902": "हिंदी (хин-ди:), में (ме:~)",
        "\u0903": "अतः (ъ-тъх) — поэтому",
        "\u094D": "क् + य = क्य",
        "\u093C": "ज + ़ = ज़",
        "\u0964": "यह घर है। — Это дом.",
        "\u0965": "॥ в стихах",
    }
    rows = [["знак", "название", "значение", "пример"]]
    for sign, (name, meaning) in dv.SIGNS.items():
        if sign == "\u0945":
            continue    # Hindi writes the chandra only in ॉ and ऑ (the vowel table's)
        shown = sign if sign in ("\u0964", "\u0965") else "\u0915" + sign
        rows.append([shown, name, meaning, examples[sign]])
    return table(rows, [1000, 1900, 3400, 3300])


def conjuncts_table():
    items = [
        ("\u0915\u094D\u0937", "क् + ष", "кш", "क्षमा (кшъ-ма:) — прощение"),
        ("\u0924\u094D\u0930", "त् + र", "тр", "मित्र (мит-ръ) — друг"),
        ("\u091C\u094D\u091E", "ज् + ञ", "гй", "ज्ञान (гйа:н) — знание"),
        ("\u0936\u094D\u0930", "श् + र", "шр", "श्री (шри:) — господин"),
        ("\u0926\u094D\u0927", "द् + ध", "ддх", "युद्ध (йуддх) — война"),
        ("\u0926\u094D\u092F", "द् + य", "дй", "विद्या (вид-йа:) — знание"),
        ("\u0926\u094D\u0935", "द् + व", "дв", "द्वार (два:р) — дверь"),
        ("\u0926\u094D\u0930", "द् + र", "др", "द्रव (дръв) — жидкость"),
        ("\u0915\u094D\u0930", "क् + र", "кр", "क्रम (кръм) — порядок"),
        ("\u091F\u094D\u091F", "ट् + ट", "ТТ", "छुट्टी (чхуТ-Ти:) — отпуск"),
        ("\u0939\u094D\u092E", "ह् + म", "хм", "ब्रह्मा (бръх-ма:) — Брахма"),
    ]
    rows = [["знак", "из чего", "чтение", "пример"]]
    rows += [list(i) for i in items]
    return table(rows, [1100, 1800, 1100, 5600])


def digits_table():
    rows = [list(dv.DIGITS), [str(d) for d in range(10)]]
    return table(rows, [960] * 10, header=False, deva_size=32)


GENERATED = {
    "vowels": vowels_table, "consonants": consonants_table,
    "othercons": other_consonants_table, "nukta": nukta_table,
    "signs": signs_table, "conjuncts": conjuncts_table, "digits": digits_table,
}

HEADER = r"""{\rtf1\ansi\ansicpg1251\deff0\adeff0\deflang%d\uc1
{\fonttbl{\f0\froman\fcharset204 Times New Roman;}{\f1\fnil\fcharset0 Nirmala UI{\*\falt Mangal};}{\f2\fswiss\fcharset204 Arial;}}
{\colortbl;\red20\green100\blue20;\red100\green20\blue20;\red60\green60\blue120;\red232\green238\blue226;}
{\info{\title Information On Hindi}{\author Vartolik}}
\paperw11906\paperh16838\margl1134\margr1134\margt1134\margb1134
\viewkind1\lang%d\fs24
""" % (LANG_RUSSIAN, LANG_RUSSIAN)


def convert(source):
    lines = source.split("\n")
    out = [HEADER]
    i = 0
    while i < len(lines):
        line = lines[i].rstrip()
        i += 1
        if not line:
            continue
        if line.startswith("# "):
            out.append("\\pard\\qc\\sa120{\\f%d\\fs40\\b\\cf2 %s}\\par" % (FONT_HEAD, inline(line[2:])))
            if i < len(lines) and lines[i].strip():
                out.append("\\pard\\qc\\sa360{\\i\\cf3 %s}\\par" % inline(lines[i].strip()))
                i += 1
        elif line.startswith("### "):
            out.append("\\pard\\keepn\\sb200\\sa80{\\f%d\\fs26\\b\\cf3 %s}\\par" % (FONT_HEAD, inline(line[4:])))
        elif line.startswith("## "):
            out.append("\\pard\\keepn\\sb320\\sa120{\\f%d\\fs32\\b\\cf1 %s}\\par" % (FONT_HEAD, inline(line[3:])))
        elif line.startswith("@"):
            name = line[1:].strip()
            if name not in GENERATED:
                raise SystemExit("unknown table @%s" % name)
            out.append(GENERATED[name]())
        elif line.startswith("|"):
            rows = []
            header = False
            i -= 1
            while i < len(lines) and lines[i].startswith("|"):
                cells = [c.strip() for c in lines[i].strip().strip("|").split("|")]
                if all(re.fullmatch(r"-+", c) for c in cells):
                    header = True
                else:
                    rows.append(cells)
                i += 1
            columns = len(rows[0])
            out.append(table(rows, [9600 // columns] * columns, header=header))
        else:
            out.append("\\pard\\sa120\\fi0 %s\\par" % inline(line))
    out.append("}")
    return "\n".join(out) + "\n"


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        rtf = convert(f.read())
    rtf.encode("ascii")  # everything outside ASCII is escaped
    with open(sys.argv[2], "w", encoding="ascii", newline="\r\n") as f:
        f.write(rtf)


if __name__ == "__main__":
    main()
