#!/usr/bin/env bash
# Builds the benchmarks and prints their figures: script conversion throughput, the word
# table walk, the synonym exchange (indexed and row by row) and a whole
# `qinghe-cli rewrite` process with 100,000 word pairs on a 20 KB article.
# Run after scripts/setup.sh (or the README's test command) has built the project.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build -j "$(nproc)" --target convert_bench exchange_bench store_bench qinghe-cli >/dev/null

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs), $(free -g | awk '/Mem:/ {print $2}') GiB"
echo
echo "== Script conversion"
build/bench/convert_bench --benchmark_counters_tabular=true
echo
echo "== Walking the word table (store)"
build/bench/store_bench
echo
echo "== Synonym exchange, milliseconds per article"
json=$(mktemp)
trap 'rm -rf "$json" "${work:-}"' EXIT
build/bench/exchange_bench --benchmark_format=json >"$json"
python3 - "$json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
table = {}
for run in runs:
    path, rows, kb = run["name"].split("/")[:3]
    table[(path, int(rows.split(":")[1]), int(kb.split(":")[1]))] = run["real_time"]
print(f"{'rows':>8} {'article':>8} {'indexed':>10} {'row by row':>11}")
for rows in (1000, 10000, 100000):
    for kb in (2, 20, 200):
        fast, plain = table.get(("indexed", rows, kb)), table.get(("row_by_row", rows, kb))
        print(f"{rows:>8} {str(kb) + ' KB':>8} {fast:>10.2f} {plain:>11.1f}")
PY
echo
echo "== Whole process: qinghe-cli rewrite, 100,000 pairs, 20 KB article"
work=$(mktemp -d)
python3 - "$work" <<'PY'
import random, sys
work = sys.argv[1]
random.seed(3)
shipped = [l.rstrip("\n").split("\t") for l in open("assets/synonyms.txt", encoding="utf-8")
           if l.strip() and not l.startswith("#")]
def hanzi():
    while True:
        try:
            return bytes([random.randint(0xB0, 0xD7), random.randint(0xA1, 0xFE)]).decode("gb2312")
        except UnicodeDecodeError:
            pass
pairs, seen = list(shipped), {tuple(p) for p in shipped}
while len(pairs) < 100000:
    pair = ("".join(hanzi() for _ in range(random.randint(2, 3))),
            "".join(hanzi() for _ in range(random.randint(2, 3))))
    if pair not in seen and pair[::-1] not in seen and pair[0] != pair[1]:
        seen.add(pair)
        pairs.append(pair)
random.shuffle(pairs)
with open(f"{work}/pairs.txt", "w", encoding="utf-8") as out:
    out.writelines(f"{a}\t{b}\n" for a, b in pairs)
article = "<p>"
while len(article.encode("gbk")) < 20 * 1024:
    article += random.choice(random.choice(shipped)) + "".join(hanzi() for _ in range(random.randint(0, 3)))
    article += random.choice(["", "", "", "，", "。</p>\n<p>"])
with open(f"{work}/article.html", "wb") as out:
    out.write((article + "</p>").encode("gbk"))
PY
build/bin/qinghe-cli db build --synonyms "$work/pairs.txt" --out "$work/words.mdb" 2>/dev/null
build/bin/qinghe-cli rewrite --db "$work/words.mdb" "$work/article.html" >/dev/null
python3 - "$work" <<'PY'
import statistics, subprocess, sys, time
work = sys.argv[1]
times = []
for _ in range(15):
    start = time.perf_counter()
    subprocess.run(["build/bin/qinghe-cli", "rewrite", "--db", f"{work}/words.mdb", f"{work}/article.html"],
                   check=True, stdout=subprocess.DEVNULL)
    times.append(time.perf_counter() - start)
print(f"median {statistics.median(times) * 1000:.1f} ms, best {min(times) * 1000:.1f} ms over {len(times)} runs")
PY
