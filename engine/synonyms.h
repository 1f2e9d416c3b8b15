// Synonym exchange: every pair (a, b) of the word table swaps a and b in the article.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "cursor_reader.h"
#include "gbk_text.h"

namespace qinghe {

// The one-byte key of the scrambling format: each stored byte is the plain byte XOR this
// key. It is a control byte, so no word of code page 936 text contains it.
inline constexpr unsigned char kScrambleKey = 0x1F;

// XOR with the key; the same call scrambles and unscrambles. The result ends before the
// first byte that becomes zero, that is before the first input byte equal to the key.
GbkText Unscramble(std::string_view text);

using SynonymPair = std::pair<GbkText, GbkText>;

// Reads the pairs of table "ck" the way the exchange walks it: close, open "ck", count,
// move to the first record, then for i = 1..count a forward FindRecord("no=i") and the
// unscrambled words; a number without a record gives two empty words. The cursor stays
// open on "ck".
std::vector<SynonymPair> ReadSynonymPairs(CursorReader& cursor);

// One row's exchange: a single left-to-right walk that, at each character boundary,
// tries the longer of the two words first (a first when equally long), ignoring ASCII
// case, and writes the other word as stored; the written word is not searched again.
GbkText SwapWords(std::string_view text, std::string_view a, std::string_view b);

// Applies the rows one after another, each to the whole text as the earlier rows left
// it: the plain definition of the exchange, with cost rows × text length.
GbkText ExchangeRowByRow(std::string_view text, const std::vector<SynonymPair>& pairs);

// The same result as ExchangeRowByRow, byte for byte, with an index of the text that
// skips at once every row whose words cannot occur in it.
GbkText ExchangeIndexed(std::string_view text, const std::vector<SynonymPair>& pairs);

// The exchange stage of the rewrite: reads the pairs from the cursor and applies them.
GbkText ExchangeSynonyms(std::string_view text, CursorReader& cursor);

}  // namespace qinghe
