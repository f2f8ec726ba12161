#!/usr/bin/python3
"""How the Phonetic search serves a set of learner queries, as a learner would judge it.

Usage: measure_phonetic.py PHONETIC_DUMP DICTIONA.DAT [QUERIES.tsv]

QUERIES (default tests/heldout/phonetic_learner_queries.tsv) holds one query a line with the
entry meant. Each query is searched as vartolik-cli takes it; the lines listed are read in the
order the search gives them. A query is found when a listed line is the entry meant (its
headword) or a pointer line to it ("см. <headword>"), and first when the first listed line is.
Prints, overall and by script and form: found, first, and the median and 90th percentile of
the number of lines listed; then the queries that were missed or not first.
"""
import collections
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from check_phonetic import dictionary_lines, search  # noqa: E402

DEFAULT_QUERIES = os.path.join(os.path.dirname(HERE), "heldout", "phonetic_learner_queries.tsv")


def read_queries(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            query, meant, script, form = line.rstrip("\n").split("\t")
            rows.append((query, meant.split("|"), script, form))
    return rows


def percentile(values, share):
    """The value below which the given share of values lies (nearest rank)."""
    ordered = sorted(values)
    if not ordered:
        return 0
    rank = max(1, -(-len(ordered) * share // 1))
    return ordered[int(rank) - 1]


def is_meant(n, meant, heads, texts):
    return heads[n] in meant or any(("см. " + m) in texts[n] for m in meant)


def summary(name, judged):
    total = len(judged)
    found = sum(j["found"] for j in judged)
    first = sum(j["first"] for j in judged)
    listed = [j["listed"] for j in judged]
    return ("%-22s %4d queries  found %5.1f %%  first %5.1f %%  lines: median %d, 90th "
            "percentile %d" % (name, total, 100.0 * found / total, 100.0 * first / total,
                               percentile(listed, 0.5), percentile(listed, 0.9)))


def main(dump, dictionary, queries_path):
    heads, texts = dictionary_lines(dictionary)
    rows = read_queries(queries_path)
    results = search(dump, dictionary, [q for q, _, _, _ in rows])
    judged = []
    for (query, meant, script, form), result in zip(rows, results):
        result = result or []
        position = next((i for i, n in enumerate(result) if is_meant(n, meant, heads, texts)),
                        None)
        judged.append({"query": query, "meant": meant, "script": script, "form": form,
                       "found": position is not None, "first": position == 0,
                       "position": position, "listed": len(result),
                       "top": heads[result[0]] if result else "-"})
    print(summary("all", judged))
    groups = collections.defaultdict(list)
    for j in judged:
        groups[j["script"] + " " + j["form"]].append(j)
    for name in sorted(groups):
        print(summary(name, groups[name]))
    print("missed: " + " ".join("%s(%s)" % (j["query"], "|".join(j["meant"]))
                                for j in judged if not j["found"]))
    print("not first: " + " ".join("%s(%d/%d, %s)" % (j["query"], j["position"] + 1, j["listed"],
                                                      j["top"])
                                   for j in judged if j["found"] and not j["first"]))
    return 0


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3] if len(sys.argv) == 4 else DEFAULT_QUERIES))
