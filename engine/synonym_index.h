// The pieces of the indexed synonym exchange: one row's swap that reports where it wrote,
// and a conservative index of the text that rules out rows whose words cannot occur.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "gbk_text.h"

namespace qinghe {

// Where one swap wrote a word into its result: [begin, end) of the new text.
struct InsertedSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// SwapWords, also appending to `inserted` (when given) the span of every word it wrote.
GbkText SwapWordsTracked(std::string_view text, std::string_view a, std::string_view b,
                         std::vector<InsertedSpan>* inserted);

// True when the character walk of `word` ends exactly at its end, that is the word does
// not end with a lead byte that would take the next byte of the text as its trail byte.
// A match of such a word ends on a character boundary of the text, and writing it keeps
// every later boundary where it was.
bool WalksToEnd(std::string_view word);

// A set of keys of a text: for every position where a match may start, its next 1 to 4
// bytes with every ASCII letter folded to lower case. A word can match only if the key of
// its first min(4, length) bytes is in the set, so MayOccur never says no wrongly; it
// may say yes wrongly (the set is hashed and only grows), which costs a walk, not a
// wrong result.
class TextKeyIndex {
 public:
  // `hash_bits` sets the size of the set: 2^hash_bits bits.
  explicit TextKeyIndex(std::string_view text, int hash_bits);

  bool MayOccur(std::string_view word) const;

  // Adds the keys that a swap may have created in `text` (the new text). When both words
  // walk to their end, only keys that overlap a written span can be new; otherwise the
  // character boundaries after the first span may have moved, and every key from there
  // to the end is added.
  void AddChangedRegions(std::string_view text, const std::vector<InsertedSpan>& inserted,
                         bool boundaries_kept);

 private:
  void AddKeysStartingIn(std::string_view text, std::size_t from, std::size_t to);
  void Add(std::uint64_t key);
  bool Contains(std::uint64_t key) const;

  int hash_bits_;
  std::vector<std::uint64_t> bits_;
};

// ExchangeIndexed with the text cut into pieces of about `piece_bytes` bytes. A cut is
// made only right after an ASCII byte that no word of the list contains (in either
// letter case): such a cut is a character boundary, no match can cross it and no swap
// can move it, so each row walks only the pieces whose own index may hold its words.
GbkText ExchangeInPieces(std::string_view text,
                         const std::vector<std::pair<GbkText, GbkText>>& pairs,
                         std::size_t piece_bytes);

}  // namespace qinghe
