"""Builds helpo.htm, the dictionary's help, from helpo_source.htm by putting the keyboard
layout of the Hindi encoding (read from hindi/encoding.tsv) where the source has the
comment <!--KEYBOARD-CHART-->, with Russian typesetting (non-breaking spaces before dashes
and inside abbreviations).

usage: make_help.py SOURCE OUTPUT"""

import html
import sys

import devanagari_ru as dv

ROWS = [
    ("`1234567890-=", "~!@#$%^&*()_+"),
    ("qwertyuiop[]\\", "QWERTYUIOP{}|"),
    ("asdfghjkl;'", "ASDFGHJKL:\""),
    ("zxcvbnm,./", "ZXCVBNM<>?"),
]
DOTTED_CIRCLE = "\u25CC"
MARK_KINDS = ("matra", "sign", "rakar", "reph")


def single_codes():
    table = {}
    for codes, kind, text, _ in dv.encoding_rows():
        if len(codes) == 1:
            table[codes[0]] = (kind, text)
    return table


def key_name(code):
    """The key that types a code, as written in the help: the key's own (lower-case) sign,
    with "Shift+" for the upper sign, so that no capital letter is taken for Shift."""
    for plain, shifted in ROWS:
        if chr(code) in plain:
            return chr(code)
        if chr(code) in shifted:
            return "Shift+" + plain[shifted.index(chr(code))]
    return None


def shown(kind, text):
    # Signs that join a letter are shown on a dotted circle, as in grammars; the reph is
    # र् written before the letter it sits on.
    if kind == "reph":
        return text + DOTTED_CIRCLE
    return (DOTTED_CIRCLE + text) if kind in MARK_KINDS else text


def cell(codes, code):
    if code not in codes:
        return '<td class="none">%s</td>' % html.escape(chr(code))
    kind, text = codes[code]
    return ('<td title="%s"><span class="deva">%s</span><span class="lat">%s</span></td>'
            % (html.escape(dv.describe(kind, text)), shown(kind, text), html.escape(chr(code))))


def chart():
    codes = single_codes()
    out = ['<table class="keys">']
    for plain, shifted in ROWS:
        out.append("<tr>")
        out.append("".join(cell(codes, ord(c)) for c in shifted))
        out.append('</tr>\n<tr class="plain">')
        out.append("".join(cell(codes, ord(c)) for c in plain))
        out.append("</tr>")
    out.append("</table>")
    out.append('<p>В каждой паре строк верхняя — с клавишей Shift, нижняя — без неё. '
               'Наведите мышь на знак, чтобы увидеть его описание. Серым показаны клавиши, '
               'которые печатают не хинди, а сам знак.</p>')

    out.append('<h3>Знаки, которых нет на клавиатуре (код 0x7F и коды 0x80–0xBF)</h3>')
    out.append('<p>Их набирают щелчком в окне поддержки клавиатуры (F5).</p>')
    out.append('<table class="codes">')
    rows = [[c for c in range(0x20, 0x80) if c in codes and not key_name(c) and c != 0x20]]
    rows += [list(range(r, r + 16)) for r in range(0x80, 0xC0, 16)]
    for row in rows:
        out.append("<tr>")
        for code in row:
            if code in codes:
                kind, text = codes[code]
                out.append('<td title="%s"><span class="deva">%s</span><span class="lat">%02X</span></td>'
                           % (html.escape(dv.describe(kind, text)), shown(kind, text), code))
            else:
                out.append('<td class="none">%02X</td>' % code)
        out.append("</tr>")
    out.append("</table>")

    out.append('<h3>Знаки из нескольких кодов</h3>')
    out.append('<table class="list"><tr><th>знак</th><th>коды</th><th>клавиши</th></tr>')
    for seq, kind, text, note in dv.encoding_rows():
        if len(seq) < 2:
            continue
        keys = [key_name(c) or "%02X" % c for c in seq]
        out.append('<tr><td class="deva">%s</td><td>%s</td><td>%s</td></tr>'
                   % (shown(kind, text), " ".join("%02X" % c for c in seq),
                      html.escape(", ".join(keys))))
    out.append("</table>")
    return "\n".join(out)


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        source = f.read()
    marker = "<!--KEYBOARD-CHART-->"
    if source.count(marker) != 1:
        raise SystemExit("the help source must hold the chart marker once")
    with open(sys.argv[2], "w", encoding="utf-8", newline="\r\n") as f:
        f.write(dv.typography(source.replace(marker, chart())))


if __name__ == "__main__":
    main()
