// Walking the word table the way the synonym exchange does, on real database files of
// 1,000 to 100,000 word pairs: close, open "ck", count, first record, then per number a
// forward find "no=i" and the two words.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "database.h"
#include "database_file.h"
#include "synonyms.h"

namespace qinghe {
namespace {

// A database file with `rows` pairs of two- to four-character words, made once per size.
const std::string& DatabaseWithRows(int rows) {
  static std::map<int, std::string> paths;
  std::string& path = paths[rows];
  if (!path.empty()) return path;
  std::string dir = (std::filesystem::temp_directory_path() / "store_bench_XXXXXX").string();
  if (!mkdtemp(dir.data())) std::abort();
  path = dir + "/" + kDatabaseFileName;
  std::mt19937 random(rows);
  std::uniform_int_distribution<int> lead(0xB0, 0xD7), trail(0xA1, 0xFE), length(2, 4);
  const auto word = [&] {
    std::string plain;
    for (int n = length(random); n > 0; --n) {
      plain.push_back(static_cast<char>(lead(random)));
      plain.push_back(static_cast<char>(trail(random)));
    }
    return Unscramble(plain);  // scrambles: the same XOR
  };
  std::vector<StoredWordPair> pairs;
  for (int i = 0; i < rows; ++i) pairs.emplace_back(word(), word());
  std::string error;
  const std::optional<ByteSeq> image = BuildDatabaseImage(pairs, kDatabasePassword, "", error);
  if (!image) std::abort();
  std::ofstream(path, std::ios::binary) << *image;
  return path;
}

// The walk on an open connection: what one rewrite costs in the store.
void BM_WalkWordTable(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  DatabaseConnection connection;
  if (!connection.ConnectDatabase(DatabaseWithRows(rows), kDatabasePassword)) std::abort();
  RecordCursor cursor;
  cursor.AttachCursor(connection);
  for (auto _ : state) {
    std::vector<SynonymPair> pairs = ReadSynonymPairs(cursor);
    benchmark::DoNotOptimize(pairs.data());
  }
  state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_WalkWordTable)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Connecting (with the password check) and walking once: what a command-line run costs.
void BM_ConnectAndWalk(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const std::string& path = DatabaseWithRows(rows);
  for (auto _ : state) {
    DatabaseConnection connection;
    if (!connection.ConnectDatabase(path, kDatabasePassword)) std::abort();
    RecordCursor cursor;
    cursor.AttachCursor(connection);
    std::vector<SynonymPair> pairs = ReadSynonymPairs(cursor);
    benchmark::DoNotOptimize(pairs.data());
  }
}
BENCHMARK(BM_ConnectAndWalk)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qinghe

BENCHMARK_MAIN();
