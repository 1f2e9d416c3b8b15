#!/usr/bin/env python3
"""Cleans a list of synonym pairs into the word list that `qinghe-cli db build` reads.

Usage:
    cd /tmp && npm pack segment-dict && tar xzf segment-dict-2.3.210.tgz
    python3 tools/clean_synonyms.py \
        /tmp/package/dict/segment/pangu/skip/pangu.synonym.txt \
        --version 2.3.210 > assets/synonyms.txt

Input: UTF-8, one pair per line, the two words separated by the first comma (the format
of pangu.synonym.txt in the npm package segment-dict, ISC licence). Blank lines and lines
starting with '#' are skipped.

Output: UTF-8, a header comment naming the source, its version and licence, then one pair
per line with the two words separated by a tab, in input order.

A pair is dropped when
  - a word is empty (after trimming white space), or both words are the same;
  - a word holds a character that code page 936 cannot write. Both Python's 'gbk' codec
    and the C library's iconv "CP936" (which the programs use) must accept the word and
    give the same bytes; a word on which they disagree is dropped as well;
  - a word holds a control character (the scrambling key 0x1F among them), a tab, or the
    first word starts with '#' (it would read as a comment);
  - a word holds an ASCII character: every pair is swapped everywhere in the article's
    HTML, markup included, so a word such as 1 or mm would rewrite tag names, attribute
    values and numbers (<h1> would become <h一>);
  - a word is a single character: it would be swapped inside every longer word too
    (with 得 and 患上, 觉得 would become 觉患上);
  - it repeats an earlier pair, or an earlier pair reversed (the first one is kept).
The counts per reason go to standard error.

Counts for segment-dict 2.3.210, pangu.synonym.txt:
    input pairs                   4282
    kept                          3556
    dropped, repeated or reversed  677
    dropped, ASCII character        30
    dropped, single character       12
    dropped, identical words         7
    dropped, not code page 936       0
    dropped, codecs disagree         0
    dropped, empty word              0
    dropped, control character       0
"""

import argparse
import subprocess
import sys
from collections import Counter

LICENCE = "ISC"
SOURCE = "npm package segment-dict, dict/segment/pangu/skip/pangu.synonym.txt"


def iconv_cp936(words):
    """The CP936 bytes that the C library's iconv gives for each word, or None for a word
    it cannot convert. One iconv run converts every word; -c drops what it cannot write,
    which shows as a difference from Python's bytes."""
    joined = "\n".join(words).encode("utf-8")
    result = subprocess.run(
        ["iconv", "-c", "-f", "UTF-8", "-t", "CP936"],
        input=joined, capture_output=True, check=False)
    lines = result.stdout.split(b"\n")
    if len(lines) != len(words):
        sys.exit("clean_synonyms: iconv changed the number of lines")
    return lines


def read_pairs(path):
    pairs = []
    with open(path, encoding="utf-8-sig") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line.strip() or line.startswith("#"):
                continue
            first, _, second = line.partition(",")
            pairs.append((first.strip(), second.strip()))
    return pairs


def has_control(word):
    return any(ord(c) < 0x20 or ord(c) == 0x7F for c in word)


def has_ascii(word):
    return any(0x20 <= ord(c) < 0x7F for c in word)


def clean(pairs):
    words = sorted({w for pair in pairs for w in pair})
    glibc = dict(zip(words, iconv_cp936(words)))
    counts = Counter()
    seen = set()
    kept = []
    for a, b in pairs:
        counts["input pairs"] += 1
        if not a or not b:
            counts["dropped, empty word"] += 1
            continue
        if a == b:
            counts["dropped, identical words"] += 1
            continue
        if has_control(a) or has_control(b) or a.startswith("#"):
            counts["dropped, control character"] += 1
            continue
        if has_ascii(a) or has_ascii(b):
            counts["dropped, ASCII character"] += 1
            continue
        if len(a) == 1 or len(b) == 1:
            counts["dropped, single character"] += 1
            continue
        try:
            gbk = (a.encode("gbk"), b.encode("gbk"))
        except UnicodeEncodeError:
            counts["dropped, not code page 936"] += 1
            continue
        if gbk != (glibc[a], glibc[b]):
            counts["dropped, codecs disagree"] += 1
            continue
        if (a, b) in seen or (b, a) in seen:
            counts["dropped, repeated or reversed"] += 1
            continue
        seen.add((a, b))
        kept.append((a, b))
    counts["kept"] = len(kept)
    return kept, counts


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("input", help="pangu.synonym.txt")
    parser.add_argument("--version", required=True, help="version of the source package")
    args = parser.parse_args()
    kept, counts = clean(read_pairs(args.input))
    out = sys.stdout
    out.write("# Synonym pairs for qinghe-cli db build: word<TAB>word, UTF-8.\n")
    out.write(f"# Source: {SOURCE}, version {args.version}\n")
    out.write(f"# Licence: {LICENCE} (https://github.com/bluelovers/ws-segment)\n")
    out.write(f"# Cleaned by tools/clean_synonyms.py: {counts['kept']} of "
              f"{counts['input pairs']} pairs kept.\n")
    for a, b in kept:
        out.write(f"{a}\t{b}\n")
    for reason in ("input pairs", "kept", "dropped, repeated or reversed",
                   "dropped, identical words", "dropped, not code page 936",
                   "dropped, codecs disagree", "dropped, empty word",
                   "dropped, control character", "dropped, ASCII character",
                   "dropped, single character"):
        print(f"{reason:30} {counts[reason]:5}", file=sys.stderr)


if __name__ == "__main__":
    main()
