// The synonym exchange on generated word lists and articles: the indexed path against
// the plain row-by-row path. Word lists are the shipped pairs topped up with generated
// two- and three-character words; articles are built from the shipped words, so that
// many rows really match.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "cp936.h"
#include "synonyms.h"

namespace qinghe {
namespace {

std::vector<SynonymPair> ShippedPairs() {
  std::ifstream in(QINGHE_SOURCE_DIR "/assets/synonyms.txt");
  std::vector<SynonymPair> pairs;
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    auto a = Utf8ToGbk(line.substr(0, tab));
    auto b = Utf8ToGbk(line.substr(tab + 1));
    if (a && b) pairs.emplace_back(*a, *b);
  }
  return pairs;
}

// A random character of the first level of GB 2312 (lead 0xB0..0xD7).
std::string RandomHanzi(std::mt19937& random) {
  std::uniform_int_distribution<int> lead(0xB0, 0xD7), trail(0xA1, 0xFE);
  return {static_cast<char>(lead(random)), static_cast<char>(trail(random))};
}

std::vector<SynonymPair> WordList(std::size_t rows) {
  std::vector<SynonymPair> pairs = ShippedPairs();
  std::mt19937 random(1);
  std::uniform_int_distribution<int> length(2, 3);
  while (pairs.size() < rows) {
    std::string a, b;
    for (int i = length(random); i > 0; --i) a += RandomHanzi(random);
    for (int i = length(random); i > 0; --i) b += RandomHanzi(random);
    pairs.emplace_back(a, b);
  }
  pairs.resize(rows);
  // Shipped and generated rows mixed, as in a list that grew over time.
  std::shuffle(pairs.begin(), pairs.end(), random);
  return pairs;
}

std::string Article(std::size_t bytes) {
  const std::vector<SynonymPair> words = ShippedPairs();
  std::mt19937 random(2);
  std::uniform_int_distribution<std::size_t> pick(0, words.size() - 1);
  std::uniform_int_distribution<int> filler(0, 3);
  std::string article = "<p>";
  while (article.size() < bytes) {
    const SynonymPair& pair = words[pick(random)];
    article += (pick(random) % 2) ? pair.first : pair.second;
    for (int i = filler(random); i > 0; --i) article += RandomHanzi(random);
    const std::size_t r = pick(random) % 16;
    if (r == 0) article += "\xA1\xA3</p>\r\n<p>";  // 。
    if (r == 1) article += "\xA3\xAC";             // ，
  }
  return article + "</p>";
}

template <GbkText (*Exchange)(std::string_view, const std::vector<SynonymPair>&)>
void BM_Exchange(benchmark::State& state) {
  const std::vector<SynonymPair> pairs = WordList(static_cast<std::size_t>(state.range(0)));
  const std::string article = Article(static_cast<std::size_t>(state.range(1)) * 1024);
  for (auto _ : state) benchmark::DoNotOptimize(Exchange(article, pairs));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * article.size()));
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int rows : {1000, 10000, 100000}) {
    for (int kb : {2, 20, 200}) b->Args({rows, kb});
  }
  b->ArgNames({"rows", "kb"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Exchange<ExchangeIndexed>)->Name("indexed")->Apply(Sizes);
BENCHMARK(BM_Exchange<ExchangeRowByRow>)->Name("row_by_row")->Apply(Sizes)->Iterations(1);

}  // namespace
}  // namespace qinghe

BENCHMARK_MAIN();
