#!/usr/bin/python3
"""Validate a built dictiona.dat against the dictionary source files.

Usage: validate_dictionary.py DICTIONA.DAT [--sources DIR] [--no-source-check]

Checks every line: CR LF line end and no control bytes; the tokens as the result list reads
them (headword first; the reading as exactly one note, opened by "(" and closed by ")",
and equal to transcription.reading of the headword: the rule, or the hand-written exception;
no other "(" in plain text; Hindi example tokens drawn as Hindi, Russian tokens as
plain text); every Hindi token converted back through the codec gives the source's Unicode;
every other byte is valid Windows-1251; no token longer than 80 bytes; no headword twice;
the lines in Devanagari alphabetical order; every source entry present; every exception of transcription.exceptions.tsv names a headword
of the dictionary and differs from what the rule gives (else it is stale). Then runs
tools/check_dictionary_source.py on each source file (format only). Prints the entry count;
exit status 1 on any fault, each one named with its line number.
"""
import argparse
import os
import subprocess
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import dictionary_lines as dl  # noqa: E402
import transcription  # noqa: E402
from hindi_codec import from_codes, is_hindi_byte  # noqa: E402

MAX_TOKEN = 80          # the result list collects a token in an 80-byte buffer
CHECKER = os.path.join(dl.ROOT, "tools", "check_dictionary_source.py")


def decode_token(state, tok):
    """Unicode of a token drawn in the given state; UnicodeDecodeError for bytes that are
    not Windows-1251 in a Russian token."""
    if state in (dl.HEADWORD, dl.HINDI):
        return from_codes(tok)
    return tok.decode("cp1251")


def check_line(line, expected=None):
    """Faults of one line (bytes without its line end) as messages; expected is the
    source Entry the line must stand for, when known. Returns (faults, headword)."""
    faults = []
    for b in set(line):
        if b < 0x20 or b == 0x7F:
            faults.append("control byte 0x%02X" % b)
    if not line:
        return faults + ["empty line"], None
    tokens = dl.renderer_tokens(line)
    for _, tok in tokens:
        if len(tok) > MAX_TOKEN:
            faults.append("token of %d bytes (at most %d): %r" % (len(tok), MAX_TOKEN, tok[:20]))
        if not tok:
            faults.append("empty token (two spaces, or a space at an end)")
    if len(tokens) < 3:
        faults.append("expected headword, transliteration note and Russian part")
        return faults, None
    # The transliteration: one note, token 2, "(" first and ")" last; no other note.
    state, note = tokens[1]
    if state != dl.NOTE_END or not (note.startswith(b"(") and note.endswith(b")")):
        faults.append("the second token %r is not one note in parentheses" % note)
    # No byte of the reading may be a code of the Hindi faces: a Hindi query would meet it.
    hindi_bytes = sorted({b for b in note[1:-1] if is_hindi_byte(b)})
    if hindi_bytes:
        faults.append("the reading %r holds Hindi face codes %s" % (
            note, " ".join("%02X" % b for b in hindi_bytes)))
    for k, (state, tok) in enumerate(tokens[2:], 3):
        if state in (dl.NOTE, dl.NOTE_END):
            faults.append("token %d %r opens or continues a note" % (k, tok))
        elif state == dl.PLAIN and b"(" in tok:
            faults.append("token %d %r holds a parenthesis" % (k, tok))
    # Decode by the renderer's classification; check it against the source's scripts.
    texts = []
    for k, (state, tok) in enumerate(tokens, 1):
        try:
            texts.append(decode_token(state, tok))
        except UnicodeDecodeError:
            faults.append("token %d %r is not valid %s" % (
                k, tok, "Windows-1251"))
            texts.append(None)
    head = texts[0]
    if expected is not None:
        want = expected.text().split(" ")
        if len(want) != len(tokens):
            faults.append("%d tokens, the source has %d" % (len(tokens), len(want)))
        else:
            for k, ((state, tok), got, src) in enumerate(zip(tokens, texts, want), 1):
                hindi = any("\u0900" <= c <= "\u097f" for c in src)
                if k > 2 and not hindi and state == dl.HINDI:
                    try:
                        tok.decode("cp1251")
                    except UnicodeDecodeError:
                        faults.append("token %d %r is not valid Windows-1251" % (k, tok))
                if k > 2 and hindi != (state == dl.HINDI):
                    faults.append("token %d %s is drawn as %s" % (k, src, dl.STATE_NAMES[state]))
                if got is not None and unicodedata.normalize("NFC", got) != src:
                    faults.append("token %d decodes to %r, the source has %r" % (k, got, src))
    return faults, head


def validate(data, entries):
    """Faults of the whole file as messages, and the number of lines."""
    faults = []
    if not data:
        return ["the dictionary is empty"], 0
    if not data.endswith(b"\r\n"):
        faults.append("the last line has no CR LF")
    lines = data.split(b"\n")
    if lines[-1] == b"":
        lines.pop()
    by_head = {e.headword: e for e in entries}
    seen = {}
    prev = None
    for no, raw in enumerate(lines, 1):
        where = "line %d" % no
        if not raw.endswith(b"\r"):
            if no < len(lines) or data.endswith(b"\n"):
                faults.append("%s: LF without CR" % where)
        line = raw[:-1] if raw.endswith(b"\r") else raw
        head_codes = line.split(b" ", 1)[0]
        head = from_codes(head_codes) if head_codes else None
        head = unicodedata.normalize("NFC", head) if head else None
        entry = by_head.get(head)
        if head is not None and entry is None:
            faults.append("%s: headword %s is in no source entry" % (where, head))
        line_faults, _ = check_line(line, entry)
        faults += ["%s: %s" % (where, f) for f in line_faults]
        if head is None:
            continue
        if head in seen:
            faults.append("%s: headword %s repeats line %d" % (where, head, seen[head]))
        seen[head] = no
        try:
            key = dl.sort_key(head)
        except ValueError as e:
            faults.append("%s: %s" % (where, e))
            continue
        if prev is not None and key <= prev[0]:
            faults.append("%s: %s is out of order after %s" % (where, head, prev[1]))
        prev = (key, head)
    for e in entries:
        if e.headword not in seen:
            faults.append("%s: entry %s is missing from the dictionary" % (e.where, e.headword))
    return faults, len(lines)


def stale_exceptions(table, headwords):
    """Faults of the reading exceptions: a headword no entry has, a reading the rule already
    gives, or one that differs from the rule in more than which short a's are heard, where
    syllables break and how a nasal is said (a slip of the hand, or a fault of the rule to
    mend in the rule)."""
    faults = []

    def bare(text):
        text = text.replace("\u044a", "").replace(transcription.SEPARATOR, "")
        return text.translate(transcription.NASALS_FOLDED)

    for head, text in sorted(table.items()):
        rule = transcription.transcribe(head)
        if head not in headwords:
            faults.append("reading exception %s: no entry has this headword" % head)
        elif rule == text:
            faults.append("reading exception %s: the rule already reads it %s" % (head, text))
        elif bare(rule) != bare(text):
            faults.append("reading exception %s: %s differs from the rule's %s in more than "
                          "short a's and syllables" % (head, text, rule))
    return faults


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("dictionary")
    ap.add_argument("--sources", default=dl.SOURCE_DIR)
    ap.add_argument("--no-source-check", action="store_true",
                    help="do not run the source checker")
    args = ap.parse_args(argv)
    sources = dl.source_files(args.sources)
    try:
        entries = dl.read_sources(sources)
        with open(args.dictionary, "rb") as f:
            data = f.read()
        transcription.exceptions()
    except (dl.SourceError, OSError, ValueError) as e:
        print("cannot validate: %s" % e)
        return 1
    faults, count = validate(data, entries)
    faults += stale_exceptions(transcription.exceptions(), {e.headword for e in entries})
    for f in faults:
        print(f)
    status = 0 if not faults else 1
    if not args.no_source_check:
        for path in sources:
            res = subprocess.run([sys.executable, CHECKER, "--format-only", path],
                                 capture_output=True, text=True)
            if res.returncode != 0:
                print(res.stdout + res.stderr, end="")
                status = 1
    print("%s: %d entries, %d faults" % (args.dictionary, count, len(faults)))
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
