"""Conversion between Unicode Devanagari and the byte codes of the Hindi display faces.

Reads the code table hindi/encoding.tsv (the same file the C++ conversion is generated from
and the font build draws its glyphs from). Unicode text is logical order; the codes are
visual order: the short-i sign before its consonant cluster, half forms before the full
consonant, reph after the syllable's vowel sign.

    to_codes(text)   -> bytes   Devanagari (and ASCII) to codes; EncodeError on anything else
    from_codes(data) -> str     codes to Devanagari; never fails
    encode_line(text) -> bytes  a dictionary line: Devanagari to codes, the rest Windows-1251
    decode_line(data) -> str    a dictionary line: Hindi tokens from codes, the rest 1251
"""

import os
from collections import namedtuple

HERE = os.path.dirname(os.path.abspath(__file__))
TABLE_PATH = os.path.join(HERE, "encoding.tsv")

# One row of encoding.tsv: codes and unicode and after as lists of ints, the rest text.
TableRow = namedtuple("TableRow", "line codes kind unicode text after note")


def read_encoding_table(path=TABLE_PATH):
    """The rows of the code table, in file order (comments and empty lines skipped). Every
    tool that needs the table reads it through here."""
    rows = []
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#"):
                continue
            cols = line.rstrip("\n").split("\t") + [""] * 6
            rows.append(TableRow(n, [int(x, 16) for x in cols[0].split()], cols[1],
                                 [int(x, 16) for x in cols[2].split()], cols[3],
                                 [int(x, 16) for x in cols[4].split()], cols[5]))
    return rows

VIRAMA, NUKTA, ZWNJ, ZWJ = 0x094D, 0x093C, 0x200C, 0x200D
RA, SIGN_I = 0x0930, 0x093F
EXCLUDED = {0x49, 0x5B, 0x5D, 0x7E, 0xA8, 0xB0, 0xB8}
# Letters that Unicode also has as one precomposed code point with nukta.
NUKTA_DECOMPOSE = {0x0958: 0x0915, 0x0959: 0x0916, 0x095A: 0x0917, 0x095B: 0x091C,
                   0x095C: 0x0921, 0x095D: 0x0922, 0x095E: 0x092B, 0x095F: 0x092F,
                   0x0929: 0x0928, 0x0931: 0x0930, 0x0934: 0x0933}
# NFC keeps these three composed (the others are composition exclusions).
NUKTA_COMPOSE = {(0x0928, NUKTA): 0x0929, (0x0930, NUKTA): 0x0931, (0x0933, NUKTA): 0x0934}


def is_hindi_byte(b):
    return 0x40 <= b <= 0xBF and b not in EXCLUDED


def is_consonant(cp):
    return 0x0915 <= cp <= 0x0939


def is_vowel_sign(cp):
    return 0x093E <= cp <= 0x094C or cp in (0x0945, 0x0949, 0x0962, 0x0963)


class EncodeError(ValueError):
    def __init__(self, position, char, reason):
        self.position, self.char, self.reason = position, char, reason
        super().__init__("character %d (U+%04X %s): %s" % (position, ord(char), char, reason))


class Table:
    """The code table, indexed both ways."""

    def __init__(self, path=TABLE_PATH):
        # (codes bytes, kind, unicode tuple, after set)
        self.rows = [(bytes(r.codes), r.kind, tuple(r.unicode), frozenset(r.after))
                     for r in read_encoding_table(path)]
        self.by_codes = {r[0]: r for r in self.rows}
        self.max_codes = max(len(r[0]) for r in self.rows)
        self.cons, self.conj, self.half, self.liga = {}, {}, {}, {}
        self.vowel, self.matra, self.sign, self.digit = {}, {}, {}, {}
        self.rakar, self.rakar_after = None, {}
        for codes, kind, uni, after in self.rows:
            if kind in ("consonant", "nukta-consonant"):
                self.cons[uni] = codes
            elif kind == "conjunct":
                self.conj[uni] = codes
            elif kind == "half":
                self.half[uni[:-1]] = codes          # key: the cluster without its virama
            elif kind == "ligature":
                self.liga[uni] = codes
            elif kind == "vowel":
                self.vowel[uni[0]] = codes
            elif kind == "matra":
                self.matra[uni[0]] = codes
            elif kind in ("sign", "danda", "digit"):
                self.sign[uni[0]] = codes
            elif kind == "reph":
                self.reph = codes
            elif kind == "rakar":
                if after:
                    for c in after:
                        self.rakar_after[c] = codes
                else:
                    self.rakar = codes
        # Prefixes of every conjunct and half key, for the decoder's joiner decision.
        self.joined_prefixes = set()
        for key in list(self.conj) + list(self.half):
            for n in range(1, len(key) + 1):
                self.joined_prefixes.add(key[:n])


_table = None


def table():
    global _table
    if _table is None:
        _table = Table()
    return _table


# ---------------------------------------------------------------- Unicode -> codes

def _units_glyphs(t, units, joins, final):
    """Codes for the consonants of one cluster (reph and rakar already taken off), and the
    offset after its last visible halant (where a short-i sign goes), or None.
    units: tuples (C,) or (C, NUKTA); joins[k]: joiner between unit k and k+1
    (None, ZWJ or ZWNJ); final: None, 'virama', 'zwj' (virama+ZWJ) or 'zwnj'."""
    out = bytearray()
    split = 0
    m = len(units)

    def seq(a, b):
        s = ()
        for i in range(a, b):
            if i > a:
                if joins[i - 1] == ZWNJ:
                    return None
                s += (VIRAMA,)
            s += units[i]
        return s

    def full(u):
        if u in t.cons:
            return t.cons[u]
        if len(u) == 2 and u[:1] in t.cons:
            return t.cons[u[:1]] + t.sign[NUKTA]
        return None

    k = 0
    while k < m:
        last = k == m - 1
        # 1. the whole rest of the cluster as one conjunct
        if final is None and m - k >= 2:
            s = seq(k, m)
            if s in t.conj:
                out += t.conj[s]
                return out, split
        # a half form asked for with ZWJ at the end of the cluster
        if final == "zwj" and m - k >= 2:
            s = seq(k, m)
            if s in t.half:
                out += t.half[s]
                return out, split
        # 2. the longest half form that leaves consonants after it
        taken = False
        for L in range(m - k - 1, 0, -1):
            s = seq(k, k + L)
            if s is not None and s in t.half and joins[k + L - 1] != ZWNJ:
                out += t.half[s]
                k += L
                taken = True
                break
        if taken:
            continue
        if last:
            g = full(units[k])
            if g is None:
                return None, 0
            if final == "zwj" and units[k] in t.half:
                out += t.half[units[k]]
            else:
                out += g
                if final is not None:
                    out += t.sign[VIRAMA]
            return out, split
        # 3. no half form: the longest full glyph and a visible halant
        for L in range(m - k - 1, 0, -1):
            s = seq(k, k + L)
            g = t.conj.get(s) if L > 1 else full(units[k])
            if g is not None:
                out += g + t.sign[VIRAMA]
                split = len(out)
                k += L
                break
        else:
            return None, 0
    return out, split


def to_codes(text):
    t = table()
    cps = []                # (code point, position in the input)
    for pos, ch in enumerate(text):
        cp = ord(ch)
        if cp in NUKTA_DECOMPOSE:
            cps.append((NUKTA_DECOMPOSE[cp], pos))
            cps.append((NUKTA, pos))
        else:
            cps.append((cp, pos))
    for k in range(len(cps) - 1):       # canonical order: nukta before virama
        if cps[k][0] == VIRAMA and cps[k + 1][0] == NUKTA:
            cps[k], cps[k + 1] = cps[k + 1], cps[k]
    out = bytearray()
    i, n = 0, len(cps)

    def fail(j, reason):
        raise EncodeError(cps[j][1], text[cps[j][1]], reason)

    while i < n:
        cp, pos = cps[i]
        if cp < 0x80:
            out.append(cp)
            i += 1
            continue
        if cp in (ZWJ, ZWNJ):       # a joiner outside a cluster draws nothing
            i += 1
            continue
        if not (0x0900 <= cp <= 0x097F):
            fail(i, "not Devanagari")
        start = i
        if is_consonant(cp):
            units, joins, final = [], [], None
            while True:
                u = (cps[i][0],)
                i += 1
                if i < n and cps[i][0] == NUKTA:
                    u += (NUKTA,)
                    i += 1
                units.append(u)
                if i < n and cps[i][0] == VIRAMA:
                    j = i + 1
                    joiner = None
                    if j < n and cps[j][0] in (ZWJ, ZWNJ):
                        joiner = cps[j][0]
                        j += 1
                    if j < n and is_consonant(cps[j][0]):
                        joins.append(joiner)
                        i = j
                        continue
                    final = {None: "virama", ZWJ: "zwj", ZWNJ: "zwnj"}[joiner]
                    i = j
                break
            reph = len(units) >= 2 and units[0] == (RA,) and joins[0] is None
            if reph:
                units, joins = units[1:], joins[1:]
            rakar = None
            if (len(units) >= 2 and units[-1] == (RA,) and joins[-1] is None and final is None
                    and units[-2] + (VIRAMA, RA) not in t.conj):
                rakar = t.rakar_after.get(units[-2][0], t.rakar)
                units, joins = units[:-1], joins[:-1]
            glyphs, split = _units_glyphs(t, units, joins, final)
            if glyphs is None:
                for j in range(start, i):
                    c = cps[j][0]
                    if is_consonant(c) and (c,) not in t.cons:
                        fail(j, "no glyph for this consonant")
                fail(start, "no glyph for this cluster")
            vowel = None
            if i < n and is_vowel_sign(cps[i][0]) and final is None:
                vowel = cps[i][0]
                if vowel not in t.matra:
                    fail(i, "no glyph for this vowel sign")
                i += 1
            if vowel in (0x0941, 0x0942) and rakar is None and glyphs.endswith(t.cons[(RA,)]) \
                    and (RA, vowel) in t.liga and (len(units) == 1 or units[-1] == (RA,)):
                glyphs = glyphs[:-len(t.cons[(RA,)])] + t.liga[(RA, vowel)]
                vowel = None
            if vowel == SIGN_I:
                glyphs = glyphs[:split] + t.matra[SIGN_I] + glyphs[split:]
            out += glyphs
            if rakar:
                out += rakar
            if vowel is not None and vowel != SIGN_I:
                out += t.matra[vowel]
            if reph:
                out += t.reph
            while i < n and cps[i][0] in (0x0901, 0x0902, 0x0903):
                out += t.sign[cps[i][0]]
                i += 1
            continue
        if cp in t.vowel:
            out += t.vowel[cp]
        elif cp in t.matra:           # a vowel sign with nothing to sit on
            out += t.matra[cp]
        elif cp in t.sign:
            out += t.sign[cp]
        else:
            fail(i, "no glyph for this character")
        i += 1
    return bytes(out)


# ---------------------------------------------------------------- codes -> Unicode

def _other_byte(b):
    if b < 0x80:
        return chr(b)
    return bytes([b]).decode("cp1251", errors="replace")


class _Syllable:
    __slots__ = ("pre_i", "halves", "base", "consonantal", "rakar", "halant",
                 "signs", "reph", "mods")

    def __init__(self):
        self.pre_i = False
        self.halves = []        # code point tuples, each ending with the virama
        self.base = None        # code point tuple
        self.consonantal = False
        self.rakar = self.halant = self.reph = False
        self.signs = []
        self.mods = []

    def broken(self):
        """Ends with consonant + visible halant: the cluster may go on after it."""
        return (self.base is not None and self.consonantal and self.halant and not self.rakar
                and not self.signs and not self.mods and not self.reph)

    def empty(self):
        return not (self.pre_i or self.halves or self.base or self.rakar or self.halant
                    or self.signs or self.reph or self.mods)

    def text(self):
        s = []
        if self.reph:
            s += [RA, VIRAMA]
        for h in self.halves:
            s += h
        if self.halves and self.base is None:
            s.append(ZWJ)        # a half form with nothing after it
        if self.base:
            b = list(self.base)
            if len(b) >= 2 and (b[-2], b[-1]) in NUKTA_COMPOSE:
                b[-2:] = [NUKTA_COMPOSE[(b[-2], b[-1])]]
            s += b
        if self.rakar:
            s += [VIRAMA, RA]
        if self.halant:
            s.append(VIRAMA)
        if self.pre_i:
            s.append(SIGN_I)
        for v in self.signs:
            s += v
        s += self.mods
        return "".join(chr(c) for c in s)


def _first_unit(uni):
    return uni[:2] if len(uni) >= 2 and uni[1] == NUKTA else uni[:1]


def _needs_zwnj(t, unit, nxt, cluster_start):
    """Whether the encoder would have joined unit + virama + nxt into a half form,
    conjunct, rakar or reph, so that a visible halant between them must be kept."""
    if unit in t.half or nxt == (RA,):
        return True
    if unit == (RA,) and cluster_start:
        return True
    return unit + (VIRAMA,) + _first_unit(nxt) in t.joined_prefixes


def from_codes(data):
    t = table()
    out = []
    cur = _Syllable()
    held = None     # (base, cluster start) of a syllable flushed on a halant before a short-i

    def flush():
        nonlocal cur, held
        held = (cur.base, not cur.halves) if cur.broken() else None
        if not cur.empty():
            out.append(cur.text())
        cur = _Syllable()

    def join_broken(uni):
        """uni continues a cluster after consonant + visible halant."""
        nonlocal held
        if cur.broken():
            h = cur.base + (VIRAMA,)
            if _needs_zwnj(t, cur.base, uni, not cur.halves):
                h += (ZWNJ,)
            cur.halves.append(h)
            cur.base, cur.halant = None, False
            return
        if held is not None and cur.pre_i and not cur.halves and cur.base is None \
                and _needs_zwnj(t, held[0], uni, held[1]):
            out[-1] += chr(ZWNJ)
        if cur.base is not None or cur.signs or cur.mods or cur.reph or cur.rakar or cur.halant:
            flush()
        held = None

    i, n = 0, len(data)
    while i < n:
        row = None
        for L in range(min(t.max_codes, n - i), 0, -1):
            row = t.by_codes.get(bytes(data[i:i + L]))
            if row is not None:
                break
        if row is None:
            flush()
            out.append(_other_byte(data[i]))
            i += 1
            continue
        codes, kind, uni, _ = row
        i += len(codes)
        if kind == "matra" and uni == (SIGN_I,):
            flush()
            cur.pre_i = True
        elif kind == "half":
            join_broken(uni[:-1])
            cur.halves.append(uni)
        elif kind in ("consonant", "nukta-consonant", "conjunct", "ligature"):
            join_broken(uni)
            cur.base = uni
            cur.consonantal = kind != "ligature"
        elif kind == "sign" and uni == (NUKTA,) and cur.consonantal and cur.base \
                and cur.base[-1] != NUKTA and not cur.signs and not cur.halant and not cur.rakar:
            cur.base += (NUKTA,)
        elif kind == "sign" and uni == (VIRAMA,) and cur.consonantal and cur.base \
                and not cur.halant and not cur.signs:
            cur.halant = True
        elif kind == "rakar" and cur.consonantal and cur.base and not cur.rakar \
                and not cur.halant and not cur.signs:
            cur.rakar = True
        elif kind == "matra" and (cur.base is not None or cur.pre_i) and not cur.halant:
            cur.signs.append(uni)
        elif kind == "reph" and cur.base is not None and not cur.reph:
            cur.reph = True
        elif kind == "sign" and uni[0] in (0x0901, 0x0902, 0x0903) and not cur.empty():
            cur.mods.append(uni[0])
        elif kind == "vowel":
            flush()
            cur.base = uni
        else:                       # a sign with nothing to sit on, a digit, a danda
            flush()
            out.append("".join(chr(c) for c in uni))
    flush()
    return "".join(out)


# ---------------------------------------------------------------- dictionary lines

def _is_devanagari(ch):
    cp = ord(ch)
    return 0x0900 <= cp <= 0x097F or cp in (ZWJ, ZWNJ)


def encode_line(text):
    """A dictionary line: Devanagari runs to codes, everything else Windows-1251."""
    out = bytearray()
    i, n = 0, len(text)
    while i < n:
        j = i
        if _is_devanagari(text[i]):
            while j < n and _is_devanagari(text[j]):
                j += 1
            try:
                out += to_codes(text[i:j])
            except EncodeError as e:
                raise EncodeError(i + e.position, e.char, e.reason) from None
        else:
            while j < n and not _is_devanagari(text[j]):
                j += 1
            for k in range(i, j):
                try:
                    out += text[k].encode("cp1251")
                except UnicodeEncodeError:
                    raise EncodeError(k, text[k], "neither Devanagari nor Windows-1251") from None
        i = j
    return bytes(out)


def decode_line(data):
    """Dictionary bytes to text, each token read as the result list draws it: the first token
    of a line and every token that turns Hindi by holding a Hindi code are Devanagari;
    Russian, other text and parenthesised notes are Windows-1251."""
    out = []
    state = "headword"
    for chunk in _split_keep(data):
        if chunk in (b" ", b"\r", b"\n"):
            out.append(chunk.decode("ascii"))
            if chunk == b"\n":
                state = "headword"
            elif state == "note-end" or (chunk == b" " and state in ("headword", "hindi")):
                state = "plain"
            continue
        for b in chunk:
            if b == 0x28:
                if state == "plain":
                    state = "note"
            else:
                if state == "plain" and is_hindi_byte(b):
                    state = "hindi"
                if b == 0x29 and state == "note":
                    state = "note-end"
        if state in ("headword", "hindi"):
            out.append(from_codes(chunk))
        else:
            out.append(chunk.decode("cp1251", errors="replace"))
    return "".join(out)


def _split_keep(data):
    tok = bytearray()
    for b in data:
        if b in (0x20, 0x0D, 0x0A):
            if tok:
                yield bytes(tok)
                tok = bytearray()
            yield bytes([b])
        else:
            tok.append(b)
    if tok:
        yield bytes(tok)
