#include "synonym_index.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace qinghe {
namespace {

constexpr std::size_t kMaxKeyBytes = 4;
constexpr int kTextHashBits = 24;
constexpr int kPieceHashBits = 16;

unsigned char FoldedByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

// The key of the `length` (1..4) bytes at `pos`: the length and the folded bytes.
std::uint64_t KeyAt(std::string_view text, std::size_t pos, std::size_t length) {
  std::uint64_t key = length;
  for (std::size_t i = 0; i < length; ++i)
    key |= std::uint64_t{FoldedByte(text[pos + i])} << (8 * (i + 1));
  return key;
}

std::size_t BitOf(std::uint64_t key, int hash_bits) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - hash_bits));
}

// Marks the bytes that can start a match of `word` at a character boundary.
void MarkFirstByte(std::string_view word, std::array<bool, 256>& may_start) {
  if (word.empty()) return;
  const unsigned char first = static_cast<unsigned char>(word.front());
  may_start[first] = true;
  if (first >= 'A' && first <= 'Z') may_start[first + ('a' - 'A')] = true;
  if (first >= 'a' && first <= 'z') may_start[first - ('a' - 'A')] = true;
}

}  // namespace

GbkText SwapWordsTracked(std::string_view text, std::string_view a, std::string_view b,
                         std::vector<InsertedSpan>* inserted) {
  // The longer word is tried first; the first word when both are equally long.
  const bool a_first = a.size() >= b.size();
  const std::string_view longer = a_first ? a : b, longer_out = a_first ? b : a;
  const std::string_view shorter = a_first ? b : a, shorter_out = a_first ? a : b;
  std::array<bool, 256> may_start{};
  MarkFirstByte(longer, may_start);
  MarkFirstByte(shorter, may_start);

  GbkText out;
  out.reserve(text.size());
  std::size_t copied = 0;  // text before this position is already in `out`
  const auto write = [&](std::size_t pos, std::string_view word) {
    out.append(text.substr(copied, pos - copied));
    const std::size_t begin = out.size();
    out.append(word);
    if (inserted) inserted->push_back({begin, out.size()});
  };
  const auto matches = [&](std::size_t pos, std::string_view word) {
    return !word.empty() && text.size() - pos >= word.size() &&
           MatchesAt(text, pos, word, CaseRule::kIgnoreAsciiCase);
  };

  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t len = CharLengthAt(text, pos);
    if (len == 0) break;  // a final lone lead byte stays as it is
    if (may_start[static_cast<unsigned char>(text[pos])]) {
      if (matches(pos, longer)) {
        write(pos, longer_out);
        pos += longer.size();
        copied = pos;
        continue;
      }
      if (matches(pos, shorter)) {
        write(pos, shorter_out);
        pos += shorter.size();
        copied = pos;
        continue;
      }
    }
    pos += len;
  }
  out.append(text.substr(copied));
  return out;
}

bool WalksToEnd(std::string_view word) {
  std::size_t pos = 0;
  while (pos < word.size()) {
    const std::size_t len = CharLengthAt(word, pos);
    if (len == 0) return false;
    pos += len;
  }
  return true;
}

TextKeyIndex::TextKeyIndex(std::string_view text, int hash_bits)
    : hash_bits_(hash_bits), bits_(std::size_t{1} << (hash_bits - 6)) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t len = CharLengthAt(text, pos);
    if (len == 0) break;
    for (std::size_t length = 1; length <= kMaxKeyBytes && pos + length <= text.size(); ++length) {
      Add(KeyAt(text, pos, length));
    }
    pos += len;
  }
}

bool TextKeyIndex::MayOccur(std::string_view word) const {
  if (word.empty()) return false;
  return Contains(KeyAt(word, 0, std::min(word.size(), kMaxKeyBytes)));
}

void TextKeyIndex::AddChangedRegions(std::string_view text,
                                     const std::vector<InsertedSpan>& inserted,
                                     bool boundaries_kept) {
  const auto back = [](std::size_t begin) {
    return begin >= kMaxKeyBytes - 1 ? begin - (kMaxKeyBytes - 1) : 0;
  };
  if (!boundaries_kept) {
    AddKeysStartingIn(text, back(inserted.front().begin), text.size());
    return;
  }
  for (const InsertedSpan& span : inserted) AddKeysStartingIn(text, back(span.begin), span.end);
}

// Keys at every byte position in [from, to), boundary or not: more keys than needed
// never make a wrong answer.
void TextKeyIndex::AddKeysStartingIn(std::string_view text, std::size_t from, std::size_t to) {
  for (std::size_t pos = from; pos < to; ++pos) {
    for (std::size_t length = 1; length <= kMaxKeyBytes && pos + length <= text.size(); ++length) {
      Add(KeyAt(text, pos, length));
    }
  }
}

void TextKeyIndex::Add(std::uint64_t key) {
  const std::size_t bit = BitOf(key, hash_bits_);
  bits_[bit >> 6] |= std::uint64_t{1} << (bit & 63);
}

bool TextKeyIndex::Contains(std::uint64_t key) const {
  const std::size_t bit = BitOf(key, hash_bits_);
  return (bits_[bit >> 6] >> (bit & 63)) & 1;
}

namespace {

// The ASCII bytes after which the text may be cut: not letters (they match either case)
// and contained in no word of the list.
std::array<bool, 128> CutBytes(const std::vector<std::pair<GbkText, GbkText>>& pairs) {
  std::array<bool, 128> cut{};
  for (int b = 1; b < 128; ++b) cut[static_cast<std::size_t>(b)] = !std::isalpha(b);
  for (const auto& [a, b] : pairs) {
    for (std::string_view word : {std::string_view(a), std::string_view(b)}) {
      for (char c : word) {
        if (static_cast<unsigned char>(c) < 128) cut[static_cast<unsigned char>(c)] = false;
      }
    }
  }
  return cut;
}

struct Piece {
  GbkText text;
  TextKeyIndex index;
};

std::vector<Piece> CutIntoPieces(std::string_view text, const std::array<bool, 128>& cut,
                                 std::size_t piece_bytes) {
  std::vector<Piece> pieces;
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const auto b = static_cast<unsigned char>(text[pos]);
    if (pos + 1 - start >= piece_bytes && b < 128 && cut[b]) {
      const std::string_view piece = text.substr(start, pos + 1 - start);
      pieces.push_back({GbkText(piece), TextKeyIndex(piece, kPieceHashBits)});
      start = pos + 1;
    }
  }
  const std::string_view rest = text.substr(start);
  pieces.push_back({GbkText(rest), TextKeyIndex(rest, kPieceHashBits)});
  return pieces;
}

}  // namespace

GbkText ExchangeInPieces(std::string_view text,
                         const std::vector<std::pair<GbkText, GbkText>>& pairs,
                         std::size_t piece_bytes) {
  std::vector<Piece> pieces = CutIntoPieces(text, CutBytes(pairs), piece_bytes);
  TextKeyIndex whole(text, kTextHashBits);
  std::vector<InsertedSpan> inserted;
  for (const auto& [a, b] : pairs) {
    ProcessPendingEventsThrottled();
    if (!whole.MayOccur(a) && !whole.MayOccur(b)) continue;
    const bool boundaries_kept = WalksToEnd(a) && WalksToEnd(b);
    for (Piece& piece : pieces) {
      if (!piece.index.MayOccur(a) && !piece.index.MayOccur(b)) continue;
      inserted.clear();
      GbkText next = SwapWordsTracked(piece.text, a, b, &inserted);
      if (inserted.empty()) continue;  // nothing matched: the piece is unchanged
      piece.text.swap(next);
      piece.index.AddChangedRegions(piece.text, inserted, boundaries_kept);
      whole.AddChangedRegions(piece.text, inserted, boundaries_kept);
    }
  }
  std::size_t total = 0;
  for (const Piece& piece : pieces) total += piece.text.size();
  GbkText out;
  out.reserve(total);
  for (const Piece& piece : pieces) out.append(piece.text);
  return out;
}

}  // namespace qinghe
