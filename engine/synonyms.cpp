#include "synonyms.h"

#include <algorithm>

#include "synonym_index.h"

namespace qinghe {

GbkText Unscramble(std::string_view text) {
  GbkText out;
  out.reserve(text.size());
  for (char byte : text) {
    const auto plain = static_cast<char>(static_cast<unsigned char>(byte) ^ kScrambleKey);
    if (plain == '\0') break;
    out.push_back(plain);
  }
  ProcessPendingEventsThrottled();
  return out;
}

std::vector<SynonymPair> ReadSynonymPairs(CursorReader& cursor) {
  cursor.CloseTable();
  cursor.OpenTable("ck");
  const int count = cursor.RecordCount();
  cursor.MoveToFirst();
  std::vector<SynonymPair> pairs;
  pairs.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 1; i <= count; ++i) {
    cursor.FindRecord(ConcatText({"no=", IntToText(i)}));
    GbkText a = Unscramble(cursor.ReadText("a"));
    GbkText b = Unscramble(cursor.ReadText("b"));
    pairs.emplace_back(std::move(a), std::move(b));
  }
  return pairs;
}

GbkText SwapWords(std::string_view text, std::string_view a, std::string_view b) {
  return SwapWordsTracked(text, a, b, nullptr);
}

GbkText ExchangeRowByRow(std::string_view text, const std::vector<SynonymPair>& pairs) {
  GbkText current(text);
  for (const auto& [a, b] : pairs) {
    current = SwapWords(current, a, b);
    ProcessPendingEventsThrottled();
  }
  return current;
}

GbkText ExchangeIndexed(std::string_view text, const std::vector<SynonymPair>& pairs) {
  return ExchangeInPieces(text, pairs, 512);
}

GbkText ExchangeSynonyms(std::string_view text, CursorReader& cursor) {
  return ExchangeIndexed(text, ReadSynonymPairs(cursor));
}

}  // namespace qinghe
