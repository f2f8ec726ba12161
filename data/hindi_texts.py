#!/usr/bin/python3
"""The real Hindi texts the dictionary is chosen from and measured on.

Usage: hindi_texts.py fetch     download the packages of coverage_texts.tsv and keep their
                                Hindi files (needs apt-get and dpkg-deb; run by setup.sh)
       hindi_texts.py list      running and distinct words of each package and each part

coverage_texts.tsv names, for each of its two parts ("chosen", "held-out"), the Debian
packages and the files in them: gettext catalogues (.mo, .po), Qt's (.qm), message files
in JSON (.json), help pages (.html, .page), Firefox's language pack (.xpi) and plain text. The files are kept in
$VARTOLIK_HINDI_TEXTS, else ~/.cache/vartolik/hindi-texts, one folder per package, under
the paths the package installs them at.
"""
import collections
import fnmatch
import gettext
import html
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unicodedata
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
MANIFEST = os.path.join(HERE, "coverage_texts.tsv")
PARTS = ("chosen", "held-out")
# A word: Devanagari letters and signs; the dandas and Devanagari digits separate words.
WORD_RE = re.compile(r"[\u0900-\u0963\u0971-\u097f]+")
# A word that opens with a sign or a virama is the cut-off end of a word.
SIGNS = "\u0900\u0901\u0902\u0903\u093c\u093e\u093f\u0940\u0941\u0942\u0943\u0947\u0948" \
        "\u094b\u094c\u094d"
MARKER = ".fetched"


class TextsError(Exception):
    pass


def texts_dir():
    return os.environ.get("VARTOLIK_HINDI_TEXTS") or os.path.join(
        os.path.expanduser("~"), ".cache", "vartolik", "hindi-texts")


def read_manifest(path=MANIFEST):
    """[(part, package, pattern)] of the manifest; TextsError names a malformed line."""
    rows = []
    with open(path, encoding="utf-8") as f:
        for no, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 3 or fields[0] not in PARTS or not fields[2].startswith("/"):
                raise TextsError("%s:%d: expected chosen|held-out<TAB>package<TAB>/pattern"
                                 % (path, no))
            rows.append(tuple(fields))
    packages = collections.defaultdict(set)
    for part, package, _ in rows:
        packages[package].add(part)
    both = sorted(p for p, parts in packages.items() if len(parts) > 1)
    if both:
        raise TextsError("%s: packages in both parts: %s" % (path, ", ".join(both)))
    return rows


def package_files(root, package, pattern):
    """The files of one manifest row found under root/package, sorted."""
    base = os.path.join(root, package)
    found = []
    for folder, _, names in os.walk(base):
        for name in names:
            full = os.path.join(folder, name)
            if fnmatch.fnmatchcase("/" + os.path.relpath(full, base), pattern):
                found.append(full)
    return sorted(found)


def fetch(rows, root):
    """Download each package not yet fetched and keep the files its rows name. Returns the
    packages that could not be fetched."""
    failed = []
    patterns = collections.defaultdict(list)
    for _, package, pattern in rows:
        patterns[package].append(pattern)
    for package, pats in sorted(patterns.items()):
        dest = os.path.join(root, package)
        if os.path.exists(os.path.join(dest, MARKER)):
            continue
        with tempfile.TemporaryDirectory() as tmp:
            got = subprocess.run(["apt-get", "download", "-qq", package], cwd=tmp,
                                 capture_output=True, text=True)
            debs = [n for n in os.listdir(tmp) if n.endswith(".deb")]
            if got.returncode != 0 or len(debs) != 1:
                failed.append(package)
                print("hindi_texts: %s not downloaded: %s" % (package, got.stderr.strip()),
                      file=sys.stderr)
                continue
            tree = os.path.join(tmp, "tree")
            subprocess.run(["dpkg-deb", "-x", os.path.join(tmp, debs[0]), tree], check=True)
            shutil.rmtree(dest, ignore_errors=True)
            for pattern in pats:
                for path in package_files(tmp, "tree", pattern):
                    target = os.path.join(dest, os.path.relpath(path, tree))
                    os.makedirs(os.path.dirname(target), exist_ok=True)
                    shutil.copyfile(path, target)
            os.makedirs(dest, exist_ok=True)
            with open(os.path.join(dest, MARKER), "w", encoding="utf-8") as f:
                f.write(debs[0] + "\n")
    return failed


def _markup_text(text):
    return html.unescape(re.sub(r"<[^>]*>", " ", text))


QM_MAGIC = bytes.fromhex("3cb86418caef9c95cd211cbf60a1bddd")


def qm_strings(data):
    """The translations of a Qt catalogue (.qm). TextsError if it is not one."""
    if not data.startswith(QM_MAGIC):
        raise TextsError("not a Qt catalogue")
    out, pos = [], len(QM_MAGIC)
    try:
        while pos < len(data):
            tag, size = struct.unpack_from(">BI", data, pos)
            pos += 5
            if tag == 0x69:                                   # the messages
                out += _qm_messages(data[pos:pos + size])
            pos += size
    except struct.error:
        raise TextsError("a Qt catalogue cut short") from None
    return out


def _qm_messages(block):
    out, pos = [], 0
    while pos < len(block):
        tag = block[pos]
        pos += 1
        if tag == 1:                                          # end of one message
            continue
        if tag == 5:                                          # a 4-byte field
            pos += 4
            continue
        if tag not in (2, 3, 4, 6, 7, 8, 9):
            raise TextsError("a Qt catalogue with an unknown field %d" % tag)
        size, = struct.unpack_from(">I", block, pos)
        pos += 4
        if size == 0xFFFFFFFF:                                # no text
            continue
        if pos + size > len(block):
            raise TextsError("a Qt catalogue cut short")
        if tag == 3:                                          # a translation, UTF-16BE
            out.append(block[pos:pos + size].decode("utf-16-be", "replace"))
        pos += size
    return out


def po_strings(text):
    """The translations of a gettext source catalogue (.po), without its header and the
    entries marked fuzzy."""
    out, entry, field, fuzzy = [], {}, None, False

    def close():
        if entry.get("msgid", "") != "" and not fuzzy:
            out.extend(v for k, v in entry.items() if k.startswith("msgstr") and v)

    for line in text.split("\n"):
        line = line.strip()
        if line.startswith("#"):
            if field is not None and field.startswith("msgstr"):
                close()
                entry, field, fuzzy = {}, None, False
            if line.startswith("#,") and "fuzzy" in line:
                fuzzy = True
            continue
        m = re.match(r'(msgctxt|msgid_plural|msgid|msgstr(?:\[\d+\])?)\s+(".*")$', line)
        if m:
            if m.group(1) in ("msgctxt", "msgid") and field is not None \
                    and field.startswith("msgstr"):
                close()
                entry, fuzzy = {}, False
            field = m.group(1)
            entry[field] = _po_unquote(m.group(2))
        elif line.startswith('"') and field is not None:
            entry[field] += _po_unquote(line)
        elif line:
            raise TextsError("not a gettext line: %s" % line[:40])
    close()
    return out


def _po_unquote(quoted):
    try:
        return json.loads(quoted.replace("\\'", "'"))
    except ValueError:
        raise TextsError("a badly quoted string: %s" % quoted[:40]) from None


def json_strings(value):
    """Every string value of a JSON message file, without the "@metadata" entries."""
    if isinstance(value, str):
        return [value]
    if isinstance(value, list):
        return [s for v in value for s in json_strings(v)]
    if isinstance(value, dict):
        return [s for k, v in value.items() if k != "@metadata" for s in json_strings(v)]
    return []


def file_strings(path):
    """The texts of one file (see read_file); TextsError names a file that cannot be read."""
    try:
        return read_file(path)
    except TextsError as e:
        raise TextsError("%s: %s" % (path, e)) from None
    except ValueError as e:                                   # JSON, UTF-8, .mo faults
        raise TextsError("%s: %s" % (path, e)) from None


def read_file(path):
    """The texts of one file: a catalogue's translated messages, a page's text without its
    markup, the lines of a language pack's message files, or a plain text's lines."""
    if path.endswith(".mo"):
        with open(path, "rb") as f:
            catalog = gettext.GNUTranslations(f)._catalog
        return [v for k, v in catalog.items() if k != ""]    # "" is the header
    if path.endswith(".qm"):
        with open(path, "rb") as f:
            return qm_strings(f.read())
    if path.endswith(".po"):
        with open(path, encoding="utf-8") as f:
            return po_strings(f.read())
    if path.endswith(".json"):
        with open(path, encoding="utf-8") as f:
            return json_strings(json.load(f))
    if path.endswith(".xpi"):
        out = []
        with zipfile.ZipFile(path) as z:
            for name in sorted(z.namelist()):
                if name.endswith((".ftl", ".properties", ".dtd")):
                    out += z.read(name).decode("utf-8", "replace").split("\n")
        return out
    with open(path, encoding="utf-8", errors="replace") as f:
        text = f.read()
    if path.endswith((".html", ".page", ".xhp", ".xml")):
        text = _markup_text(text)
    return text.split("\n")


def part_strings(rows, root):
    """{part: [string]} and the packages whose files are missing. A held-out string that is
    also a string of the chosen part is dropped: forks and versions of one program share
    messages."""
    strings = {part: [] for part in PARTS}
    missing = []
    for part, package, pattern in rows:
        files = package_files(root, package, pattern)
        if not files:
            missing.append(package)
        for path in files:
            strings[part] += [s.strip() for s in file_strings(path) if WORD_RE.search(s)]
    chosen = set(strings["chosen"])
    strings["held-out"] = [s for s in strings["held-out"] if s not in chosen]
    return strings, sorted(set(missing))


def words(strings):
    """Counter of the Hindi words (NFC) of the strings."""
    counts = collections.Counter()
    for s in strings:
        for w in WORD_RE.findall(s):
            if w[0] in SIGNS:
                continue
            counts[unicodedata.normalize("NFC", w)] += 1
    return counts


def main(argv):
    if argv not in (["fetch"], ["list"]):
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        return 2
    rows, root = read_manifest(), texts_dir()
    if argv == ["fetch"]:
        os.makedirs(root, exist_ok=True)
        failed = fetch(rows, root)
        return 1 if failed else 0
    for part in PARTS:
        for package in sorted({p for q, p, _ in rows if q == part}):
            pkg_rows = [r for r in rows if r[1] == package]
            c = words(part_strings(pkg_rows, root)[0][part])
            print("%-9s %-30s %7d running %6d distinct" % (part, package, sum(c.values()),
                                                            len(c)))
    strings, missing = part_strings(rows, root)
    for part in PARTS:
        c = words(strings[part])
        print("%s: %d running words, %d distinct" % (part, sum(c.values()), len(c)))
    if missing:
        print("missing (python3 data/hindi_texts.py fetch): " + ", ".join(missing))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
