#!/usr/bin/env python3
"""Generates engine/convert_tables.cpp, the two script conversion tables.

Mode 3 turns traditional characters into simplified ones, mode 4 simplified into
traditional. Each table has one two-byte entry per double-byte code of code page 936
(lead 0x81..0xFE, trail 0x40..0x7E and 0x80..0xFE), lead byte first, at byte offset
(row * 190 + column) * 2; a code without a counterpart maps to itself.

The correspondence comes from the character dictionaries of the Debian package opencc
(exported with opencc_dict into a temporary directory) and the Unihan variant data of
the package unicode-data, then the fixed rows below override it. Every invariant of the
tables is checked; if the data breaks one, the script stops with a message and exit
status 1 and writes nothing. The output is deterministic: the same packages give the
same file byte for byte. See tools/README.md for the rules and the counts reached.

Usage: gen_convert_tables.py [-o engine/convert_tables.cpp]
"""

import argparse
import bz2
import collections
import os
import subprocess
import sys
import tempfile

OPENCC_DIR = "/usr/share/opencc"
UNIHAN_VARIANTS = "/usr/share/unicode/Unihan_Variants.txt.bz2"
CJK_RADICALS = "/usr/share/unicode/CJKRadicals.txt"

TRAILS = list(range(0x40, 0x7F)) + list(range(0x80, 0xFF))
LEADS = list(range(0x81, 0xFF))
TABLE_SIZE = len(LEADS) * len(TRAILS) * 2  # 47,880

# Punctuation: the only codes of the symbol rows (lead 0xA1..0xA9) that change.
PUNCTUATION = {
    3: {
        0xA1B8: 0xA1AE,  # 「 -> ‘
        0xA1B9: 0xA1AF,  # 」 -> ’
        0xA1BA: 0xA1B0,  # 『 -> “
        0xA1BB: 0xA1B1,  # 』 -> ”
        0xA1B2: 0xA3DB,  # 〔 -> ［
        0xA1B3: 0xA3DD,  # 〕 -> ］
        0xA96F: 0xA3AC,  # ﹐ -> ，
        0xA970: 0xA1A2,  # ﹑ -> 、
        0xA971: 0xA1A3,  # ﹒ -> 。
        0xA972: 0xA3BB,  # ﹔ -> ；
        0xA973: 0xA3BA,  # ﹕ -> ：
        0xA974: 0xA3BF,  # ﹖ -> ？
        0xA975: 0xA3A1,  # ﹗ -> ！
    },
    4: {
        0xA1B0: 0xA1BA,  # “ -> 『
        0xA1B1: 0xA1BB,  # ” -> 』
        0xA1AE: 0xA1B8,  # ‘ -> 「
        0xA1AF: 0xA1B9,  # ’ -> 」
    },
}

# Characters whose choice is fixed whatever the data says: (character, mode 3, mode 4).
FIXED_ROWS = [
    ("国", "国", "國"), ("们", "们", "們"), ("发", "发", "發"), ("后", "后", "後"),
    ("後", "后", "後"), ("干", "干", "乾"), ("乾", "干", "乾"), ("幹", "干", "幹"),
    ("里", "里", "裡"), ("裏", "里", "裏"), ("台", "台", "臺"), ("檯", "台", "檯"),
    ("云", "云", "雲"), ("着", "着", "著"), ("面", "面", "面"), ("麵", "面", "麵"),
    ("只", "只", "只"), ("隻", "只", "隻"), ("沉", "沉", "沈"), ("馀", "余", "餘"),
    ("的", "的", "的"), ("一", "一", "一"), ("我", "我", "我"),
]
# The only GB 2312 characters that mode 3 changes (variant forms of the character area).
FIXED_GB2312_MODE3 = (
    "硷碱 乾干 著着 亓其 仝同 凇淞 谘咨 垅垄 摺折 後后 徵征 夥伙 馀余 渖沈 甯宁 榘矩 "
    "飚飙 於于 锺钟 箝钳 雠仇 鲶鲇 麽么"
)
# Variant forms folded into the standard form.
FIXED_VARIANTS = {3: "両两 亜亚 仏佛 丄上", 4: "啰囉 镕鎔 櫈凳"}


class DataError(Exception):
    """The data or the fixed rows break an invariant of the tables."""


# --- code space ---------------------------------------------------------------------


def code_bytes(code):
    return bytes([code >> 8, code & 0xFF])


def show(code):
    """A code with its character, for messages: B8C9 干."""
    try:
        return f"{code:04X} {code_bytes(code).decode('gbk')}"
    except UnicodeDecodeError:
        return f"{code:04X}"


def all_codes():
    return [(lead << 8) | trail for lead in LEADS for trail in TRAILS]


def is_table_code(code):
    return (code >> 8) in range(0x81, 0xFF) and (code & 0xFF) in TRAILS


def is_user_defined(code):
    lead, trail = code >> 8, code & 0xFF
    if (0xAA <= lead <= 0xAF or 0xF8 <= lead <= 0xFE) and trail >= 0xA1:
        return True
    return 0xA1 <= lead <= 0xA7 and trail <= 0xA0


def area(code):
    """One of: user, symbol, gb2312, ext3 (lead 0x81..0xA0), ext4 (trail 0x40..0xA0)."""
    lead, trail = code >> 8, code & 0xFF
    if is_user_defined(code):
        return "user"
    if 0xA1 <= lead <= 0xA9:
        return "symbol"
    if lead <= 0xA0:
        return "ext3"
    if trail <= 0xA0:
        return "ext4"
    return "gb2312"


def code_page():
    """Maps each assigned double-byte code to its character and back."""
    char_of, code_of = {}, {}
    for code in all_codes():
        try:
            char = code_bytes(code).decode("gbk")
        except UnicodeDecodeError:
            continue
        if char in code_of:
            raise DataError(f"{char} has two codes {show(code_of[char])} and {show(code)}")
        char_of[code], code_of[char] = char, code
    check_against_iconv(char_of)
    return char_of, code_of


def check_against_iconv(char_of):
    """The program reads code page 936 through the C library's iconv; both must agree."""
    codes = all_codes()
    try:
        result = subprocess.run(["iconv", "-c", "-f", "CP936", "-t", "UTF-8"],
                                input=b"".join(code_bytes(c) + b"\n" for c in codes),
                                check=True, capture_output=True)
    except (OSError, subprocess.CalledProcessError) as error:
        raise DataError(f"cannot run iconv: {error}") from error
    lines = result.stdout.decode("utf-8").split("\n")[:-1]
    if len(lines) != len(codes):
        raise DataError("iconv -f CP936 gave an unexpected number of lines")
    for code, line in zip(codes, lines):
        if char_of.get(code, "") != line:
            raise DataError(f"Python's gbk codec and iconv's CP936 differ at {show(code)}")


# --- source data --------------------------------------------------------------------


def export_opencc(names, directory):
    dicts = {}
    for name in names:
        source = os.path.join(OPENCC_DIR, name + ".ocd2")
        target = os.path.join(directory, name + ".txt")
        try:
            subprocess.run(["opencc_dict", "-i", source, "-o", target, "-f", "ocd2", "-t",
                            "text"], check=True, capture_output=True)
        except (OSError, subprocess.CalledProcessError) as error:
            raise DataError(f"cannot export {source} with opencc_dict: {error}") from error
        entries = {}
        with open(target, encoding="utf-8") as lines:
            for line in lines:
                line = line.rstrip("\n")
                if line:
                    key, values = line.split("\t")
                    entries[key] = values.split(" ")
        if not entries:
            raise DataError(f"{source} holds no entries")
        dicts[name] = entries
    return dicts


def read_unihan_variants():
    variants = collections.defaultdict(dict)
    with bz2.open(UNIHAN_VARIANTS, "rt", encoding="utf-8") as lines:
        for line in lines:
            if line.startswith("#") or not line.strip():
                continue
            point, field, value = line.rstrip("\n").split("\t")
            variants[chr(int(point[2:], 16))][field] = [
                chr(int(item.split("<")[0][2:], 16)) for item in value.split()]
    return variants


def read_radicals():
    radicals = set()
    with open(CJK_RADICALS, encoding="utf-8") as lines:
        for line in lines:
            if line.strip() and not line.startswith("#"):
                radicals.add(chr(int(line.split(";")[2].strip(), 16)))
    return radicals


def in_big5(char):
    try:
        char.encode("big5")
        return True
    except UnicodeEncodeError:
        return False


# --- candidates ---------------------------------------------------------------------


def simplified_candidates(opencc, unihan, radicals, char_of, code_of):
    """Mode 3 data choices for the extension areas: code -> (target char, data source)."""
    ts = opencc["TSCharacters"]

    def simplify(char):
        return ts[char][0] if char in ts else char

    standard_of = {}  # variant form -> standard traditional form
    for name in ("TWVariantsRev", "HKVariantsRev", "JPVariantsRev"):
        for variant, standards in opencc[name].items():
            standard_of.setdefault(variant, standards[0])
    for variant, standards in opencc["JPShinjitaiCharacters"].items():
        if variant not in standards:  # a form that is also a character of its own stays
            standard_of.setdefault(variant, standards[0])
    simplified_script = set(opencc["STCharacters"]) | {
        value for values in ts.values() for value in values}

    def gb2312_target(chars):
        targets = sorted({simplify(c) for c in chars}, key=lambda c: code_of.get(c, 0))
        return [t for t in targets if t in code_of and area(code_of[t]) == "gb2312"]

    choices = {}
    for code, char in char_of.items():
        if area(code) not in ("ext3", "ext4"):
            continue
        variants = unihan.get(char, {})
        target, source = None, None
        if char in ts:
            target, source = ts[char][0], "TSCharacters"
        elif char in standard_of:
            target, source = simplify(standard_of[char]), "variant lists"
        else:
            for field in ("kSimplifiedVariant", "kZVariant"):
                found = gb2312_target(v for v in variants.get(field, []) if v != char)
                if found:
                    target, source = found[0], "Unihan " + field
                    break
            else:
                # A mutual semantic variant of exactly one standard simplified character,
                # for forms that are neither Big5 characters, simplified forms nor radicals.
                mutual = [v for v in variants.get("kSemanticVariant", [])
                          if v != char and char in unihan.get(v, {}).get("kSemanticVariant", [])]
                found = gb2312_target(mutual)
                if (len(found) == 1 and not in_big5(char) and char not in simplified_script
                        and char not in radicals):
                    target, source = found[0], "Unihan kSemanticVariant"
        if target is not None and target != char and target in code_of:
            choices[code] = (code_of[target], source)
    return choices


def traditional_candidates(opencc, char_of, code_of):
    """Mode 4 data choices: code -> (target code, data source)."""
    choices = {}
    for code, char in char_of.items():
        if area(code) not in ("gb2312", "ext3", "ext4"):
            continue
        values = opencc["STCharacters"].get(char)
        if values and values[0] != char and values[0] in code_of:
            choices[code] = (code_of[values[0]], "STCharacters")
    return choices


# --- tables -------------------------------------------------------------------------


def fixed_entries(code_of):
    """The fixed rows per mode: code -> target code. Two different choices fail."""
    fixed = {3: {}, 4: {}}

    def fix(mode, source, target):
        for char in (source, target):
            if char not in code_of:
                raise DataError(f"fixed row {source} -> {target}: {char} is not in code page 936")
        code, value = code_of[source], code_of[target]
        if fixed[mode].get(code, value) != value:
            raise DataError(f"mode {mode}: {source} has two fixed choices")
        fixed[mode][code] = value

    for char, simplified, traditional in FIXED_ROWS:
        fix(3, char, simplified)
        fix(4, char, traditional)
    for pair in FIXED_GB2312_MODE3.split():
        fix(3, pair[0], pair[1])
    for mode, pairs in FIXED_VARIANTS.items():
        for pair in pairs.split():
            fix(mode, pair[0], pair[1])
    for mode, entries in PUNCTUATION.items():
        for code, value in entries.items():
            if fixed[mode].get(code, value) != value:
                raise DataError(f"mode {mode}: {show(code)} has two fixed choices")
            fixed[mode][code] = value
    return fixed


def resolve(mode, choices, fixed, dictionary, log, overrides):
    """Builds the mapping code -> target so that every target maps to itself.

    Fixed rows win over data, and the target of a fixed row is fixed to itself. A code
    that the main dictionary (`dictionary`, TSCharacters or STCharacters) produces is a
    character of the target script: it maps to itself and its own data choice is dropped,
    as in a single dictionary pass. Any other data choice whose target maps on is
    followed to the end of the chain; a cycle is broken by leaving its lowest code alone.
    """
    wanted = {code: target for code, (target, _) in choices.items()}
    for code, target in fixed.items():
        if code in wanted and wanted[code] != target:
            overrides.append(f"mode {mode}: fixed row {show(code)} -> {show(target)} overrides "
                             f"the data's {show(wanted[code])} ({choices[code][1]})")
    final = {target for target, source in choices.values() if source == dictionary}
    for target in sorted(final - fixed.keys()):
        if wanted.get(target, target) != target:
            log.append(f"mode {mode}: {show(target)} is produced by {dictionary}; its choice "
                       f"{show(wanted[target])} ({choices[target][1]}) is dropped")
            wanted[target] = target
    wanted.update(fixed)
    for code, target in fixed.items():
        if target != code:
            if fixed.get(target, target) != target:
                raise DataError(f"mode {mode}: fixed rows {show(code)} -> {show(target)} -> "
                                f"{show(fixed[target])} break idempotence")
            if wanted.get(target, target) != target:
                log.append(f"mode {mode}: {show(target)} is the target of a fixed row; "
                           f"its data choice {show(wanted[target])} is dropped")
            wanted[target] = target
    mapping = {}
    for code in sorted(wanted):
        path, target = [code], wanted[code]
        if target == code:
            continue
        while target not in path and wanted.get(target, target) != target:
            path.append(target)
            target = wanted[target]
        if target in path:  # a cycle: its lowest code stays, the rest map onto it
            cycle = path[path.index(target):]
            target = min(cycle)
            log.append(f"mode {mode}: cycle {' -> '.join(show(c) for c in cycle)} "
                       f"broken at {show(target)}")
            wanted[target] = target
        elif len(path) > 1:
            log.append(f"mode {mode}: chain {' -> '.join(show(c) for c in path)} -> "
                       f"{show(target)}")
        if target != code:
            mapping[code] = target
    return mapping


def check(mode, mapping, fixed, char_of):
    """Raises DataError when the mapping breaks an invariant of the tables."""
    allowed = {3: ("ext3", "ext4"), 4: ("gb2312", "ext3", "ext4")}[mode]
    gb2312_fixed = {c for c, t in fixed.items() if area(c) == "gb2312" and t != c}
    for code, target in mapping.items():
        where = f"mode {mode}: {show(code)} -> {show(target)}"
        if not is_table_code(code) or not is_table_code(target):
            raise DataError(f"{where}: not a code of the table's ranges")
        if code not in char_of or target not in char_of:
            raise DataError(f"{where}: not an assigned character of code page 936")
        if is_user_defined(code) or is_user_defined(target):
            raise DataError(f"{where}: touches a user-defined area")
        if mapping.get(target, target) != target:
            raise DataError(f"{where}: the target maps on to {show(mapping[target])}")
        if area(code) == "symbol":
            if PUNCTUATION[mode].get(code) != target:
                raise DataError(f"{where}: symbol rows change only as the punctuation table says")
        elif area(code) not in allowed and not (mode == 3 and code in gb2312_fixed):
            raise DataError(f"{where}: mode {mode} does not change the {area(code)} area")
    for code, target in fixed.items():
        if mapping.get(code, code) != target:
            raise DataError(f"mode {mode}: fixed row {show(code)} -> {show(target)} does not hold")
    for code, target in PUNCTUATION[mode].items():
        if mapping.get(code) != target:
            raise DataError(f"mode {mode}: punctuation {show(code)} -> {show(target)} missing")


def table_bytes(mapping):
    data = bytearray()
    for code in all_codes():
        target = mapping.get(code, code)
        data += bytes([target >> 8, target & 0xFF])
    assert len(data) == TABLE_SIZE
    return bytes(data)


def render(tables):
    out = [
        "// The script conversion tables. Generated by tools/gen_convert_tables.py from the",
        "// opencc and unicode-data packages; do not edit, regenerate.",
        '#include "convert_tables.h"',
        "",
        "namespace qinghe {",
        "",
        "// clang-format off",
    ]
    for name, data in tables:
        out.append(f"const ConversionTable {name} = {{{{")
        row_bytes = len(TRAILS) * 2
        for row, lead in enumerate(LEADS):
            out.append(f"  // lead 0x{lead:02X}")
            row_data = data[row * row_bytes:(row + 1) * row_bytes]
            for start in range(0, row_bytes, 16):
                chunk = row_data[start:start + 16]
                out.append("  " + ",".join(f"0x{b:02X}" for b in chunk) + ",")
        out.append("}};")
        out.append("")
    out.append("// clang-format on")
    out.append("")
    out.append("}  // namespace qinghe")
    return "\n".join(out) + "\n"


def report(mapping3, mapping4):
    def counts(mapping):
        return collections.Counter(area(code) for code in mapping)

    c3, c4 = counts(mapping3), counts(mapping4)
    back3 = sum(1 for c, t in mapping3.items() if mapping4.get(t, t) != c)
    back4 = sum(1 for c, t in mapping4.items() if mapping3.get(t, t) != c)
    lines = [
        f"mode 3: {len(mapping3)} codes change: {c3['ext3']} with lead 0x81-0xA0, "
        f"{c3['ext4']} with lead 0xAA-0xFE and trail 0x40-0xA0, {c3['gb2312']} in GB 2312, "
        f"{c3['symbol']} punctuation",
        f"mode 4: {len(mapping4)} codes change: {c4['gb2312']} in GB 2312, "
        f"{c4['ext3'] + c4['ext4']} in the extension areas, {c4['symbol']} punctuation",
        f"mode 3 then mode 4 restores all but {back3} of the codes mode 3 changes; "
        f"mode 4 then mode 3 all but {back4} of the codes mode 4 changes",
    ]
    return lines


def generate():
    char_of, code_of = code_page()
    with tempfile.TemporaryDirectory() as directory:
        opencc = export_opencc(["TSCharacters", "STCharacters", "TWVariantsRev", "HKVariantsRev",
                                "JPVariantsRev", "JPShinjitaiCharacters"], directory)
    unihan = read_unihan_variants()
    fixed = fixed_entries(code_of)
    log, overrides = [], []
    sources3 = collections.Counter()
    choices3 = simplified_candidates(opencc, unihan, read_radicals(), char_of, code_of)
    for _, source in choices3.values():
        sources3[source] += 1
    mapping3 = resolve(3, choices3, fixed[3], "TSCharacters", log, overrides)
    mapping4 = resolve(4, traditional_candidates(opencc, char_of, code_of), fixed[4],
                       "STCharacters", log, overrides)
    check(3, mapping3, fixed[3], char_of)
    check(4, mapping4, fixed[4], char_of)
    summary = overrides + [f"mode 3 data choices from {source}: {n}" for source, n in sorted(sources3.items())]
    summary += report(mapping3, mapping4)
    text = render([("kTraditionalToSimplified", table_bytes(mapping3)),
                   ("kSimplifiedToTraditional", table_bytes(mapping4))])
    return text, log, summary


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("-o", "--output", default=os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "engine", "convert_tables.cpp"))
    parser.add_argument("-v", "--verbose", action="store_true",
                        help="also list every chain, cycle and dropped data choice")
    args = parser.parse_args()
    try:
        text, log, summary = generate()
    except (DataError, OSError) as error:
        print(f"gen_convert_tables: error: {error}", file=sys.stderr)
        return 1
    for line in (log if args.verbose else []) + summary:
        print(line)
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    with open(args.output, "w", encoding="ascii", newline="\n") as out:
        out.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
