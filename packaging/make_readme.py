"""Writes the zip's readme.txt from readme.txt.in with the dictionary's own counts.

    make_readme.py TEMPLATE DICTIONARY OUT

@ENTRIES@ becomes the number of full entries of the built dictiona.dat, @POINTERS@ the number
of pointer lines (whose Russian part is "см. ..."), both written as Russian writes numbers
(10 328). The template's bytes (UTF-8 with BOM, CR LF) are kept as they are."""
import sys

POINTER = "см. ".encode("cp1251")


def counts(dictionary):
    entries = pointers = 0
    for line in dictionary.split(b"\n"):
        line = line.rstrip(b"\r")
        if not line:
            continue
        close = line.find(b") ")
        russian = line[close + 2:] if close >= 0 else b""
        if russian.startswith(POINTER):
            pointers += 1
        else:
            entries += 1
    return entries, pointers


def russian_number(n):
    return f"{n:,}".replace(",", "\u00a0")


def main(template, dictionary, out):
    with open(dictionary, "rb") as f:
        entries, pointers = counts(f.read())
    with open(template, "rb") as f:
        text = f.read()
    for name, value in (("@ENTRIES@", entries), ("@POINTERS@", pointers)):
        if name.encode() not in text:
            sys.exit(f"make_readme: {template} has no {name}")
        text = text.replace(name.encode(), russian_number(value).encode("utf-8"))
    with open(out, "wb") as f:
        f.write(text)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip())
    main(*sys.argv[1:])
