#include "synonyms.h"

#include <gtest/gtest.h>

#include <random>

#include "gbk_literal.h"
#include "memory_cursor.h"
#include "synonym_index.h"

namespace qinghe {
namespace {

GbkText Scramble(std::string_view plain) { return Unscramble(plain); }

TEST(UnscrambleTest, XorsWithTheKeyAndStopsAtTheKeyByte) {
  EXPECT_EQ(Unscramble(""), "");
  const GbkText plain = Gbk("美丽abc");
  EXPECT_NE(Scramble(plain), plain);
  EXPECT_EQ(Unscramble(Scramble(plain)), plain);
  const char key = static_cast<char>(kScrambleKey);
  EXPECT_EQ(Unscramble(std::string{'\x5E', '\x5D', key, '\x5C'}), "AB");
}

struct SwapCase {
  const char* name;
  std::string text, a, b, expected;
};

void PrintTo(const SwapCase& c, std::ostream* os) { *os << c.name; }

class SwapWordsTest : public testing::TestWithParam<SwapCase> {};

TEST_P(SwapWordsTest, SwapsBothWordsInOneWalk) {
  const SwapCase& c = GetParam();
  EXPECT_EQ(SwapWords(c.text, c.a, c.b), c.expected);
  EXPECT_EQ(ExchangeIndexed(c.text, {{c.a, c.b}}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SwapWordsTest,
    testing::Values(
        SwapCase{"BothDirections", Gbk("美丽的花很漂亮"), Gbk("美丽"), Gbk("漂亮"),
                 Gbk("漂亮的花很美丽")},
        SwapCase{"InsertedWordTakesTableCase", "Apple pie", "apple", "pear", "pear pie"},
        SwapCase{"ReverseDirectionCase", "PEAR", "apple", "pear", "apple"},
        SwapCase{"WordInsideTheOtherLongerFirst", Gbk("美丽"), Gbk("美"), Gbk("美丽"), Gbk("美")},
        SwapCase{"ShorterWordAlone", Gbk("美好"), Gbk("美"), Gbk("美丽"), Gbk("美丽好")},
        SwapCase{"SingleCharacterWords", Gbk("花草花"), Gbk("花"), Gbk("草"), Gbk("草花草")},
        SwapCase{"EqualWordsTakeTableCase", "x aBc y", "ABC", "ABC", "x ABC y"},
        SwapCase{"EmptyADeletesB", Gbk("很漂亮"), "", Gbk("漂亮"), Gbk("很")},
        SwapCase{"BothEmptyChangesNothing", Gbk("漂亮"), "", "", Gbk("漂亮")},
        SwapCase{"LetterNeverMatchesTrailByte", "\xB0\x41", "A", "b", "\xB0\x41"},
        SwapCase{"WordsInsideMarkup", "<img alt=\"" + Gbk("美丽") + "\">", Gbk("美丽"), Gbk("漂亮"),
                 "<img alt=\"" + Gbk("漂亮") + "\">"},
        SwapCase{"FinalLoneLeadByteStays", "ab\xB0", "b", "\xB0", "a\xB0\xB0"},
        SwapCase{"EuroSignIsOneByte", "\x80" + Gbk("美丽"), Gbk("美丽"), Gbk("漂亮"),
                 "\x80" + Gbk("漂亮")},
        SwapCase{"OddWordTakesNextByteAsTrail", "a\xB0\x41", "a\xB0", "z", "z\x41"},
        SwapCase{"MarkerLookalikeTextIsLeftAlone", Gbk("漂|亮|美丽"), Gbk("美丽"), Gbk("漂亮"),
                 Gbk("漂|亮|漂亮")}),
    [](const testing::TestParamInfo<SwapCase>& param_info) { return param_info.param.name; });

using Row = MemoryCursor::Row;

// A word table whose rows are given as (no, a, b) in stored order, words in UTF-8.
MemoryCursor WordTable(const std::vector<std::tuple<int, std::string, std::string>>& rows) {
  std::vector<Row> stored;
  for (const auto& [no, a, b] : rows) {
    stored.push_back({{"no", IntToText(no)}, {"a", Scramble(Gbk(a))}, {"b", Scramble(Gbk(b))}});
  }
  return MemoryCursor({{"ck", stored}});
}

TEST(ExchangeSynonymsTest, RowsApplyInNumberOrderToTheWholeText) {
  MemoryCursor table = WordTable({{1, "美丽", "漂亮"}, {2, "漂亮", "好看"}});
  EXPECT_EQ(ExchangeSynonyms(Gbk("美丽"), table), Gbk("好看"));
  EXPECT_EQ(ExchangeSynonyms(Gbk("漂亮"), table), Gbk("美丽"));
}

TEST(ExchangeSynonymsTest, WalkFollowsStoredOrderWithForwardFinds) {
  // Stored 1, 3, 2: the find for 2 reaches the last row, the find for 3 then fails.
  MemoryCursor out_of_order = WordTable({{1, "甲", "乙"}, {3, "丙", "丁"}, {2, "戊", "己"}});
  EXPECT_EQ(ReadSynonymPairs(out_of_order),
            (std::vector<SynonymPair>{{Gbk("甲"), Gbk("乙")}, {Gbk("戊"), Gbk("己")}, {"", ""}}));
  EXPECT_EQ(ExchangeSynonyms(Gbk("甲丙戊"), out_of_order), Gbk("乙丙己"));

  // A missing number leaves the cursor at the end: every later number fails too.
  MemoryCursor gap = WordTable({{1, "甲", "乙"}, {3, "丙", "丁"}, {4, "戊", "己"}});
  EXPECT_EQ(ExchangeSynonyms(Gbk("甲丙戊"), gap), Gbk("乙丙戊"));

  // A number larger than the row count is never used.
  MemoryCursor beyond = WordTable({{1, "甲", "乙"}, {5, "丙", "丁"}});
  EXPECT_EQ(ExchangeSynonyms(Gbk("甲丙"), beyond), Gbk("乙丙"));
}

TEST(ExchangeSynonymsTest, MissingTableLeavesTheTextUnchanged) {
  MemoryCursor none({});
  EXPECT_EQ(ExchangeSynonyms(Gbk("美丽"), none), Gbk("美丽"));
  EXPECT_EQ(none.RecordCount(), -1);
}

// Random texts and word lists over an alphabet that provokes the hard cases: ASCII case,
// words inside other words, odd-length words ending in a lead byte, trail bytes that are
// ASCII letters, the one-byte 0x80 and 0xFF.
TEST(ExchangeIndexedTest, EqualsRowByRowOnRandomTextsAndWordLists) {
  const std::vector<std::string> alphabet = {"a",        "A",    "b",    "B",    "\xB0\x41",
                                             "\xB0\x61", "\xB0", "\x80", "\xFF", Gbk("中"),
                                             Gbk("国"),  "<",    " "};
  std::mt19937 random(20261211);
  const auto pick = [&](int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random);
  };
  const auto make = [&](int lo, int hi) {
    std::string s;
    for (int n = pick(lo, hi); n > 0; --n)
      s += alphabet[static_cast<std::size_t>(pick(0, static_cast<int>(alphabet.size()) - 1))];
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::string text = make(0, 80);
    std::vector<SynonymPair> pairs;
    for (int n = pick(1, 25); n > 0; --n) pairs.emplace_back(make(0, 3), make(0, 3));
    if (round % 2 == 0) {  // lists without the cut bytes
      for (auto& [a, b] : pairs) {
        std::erase_if(a, [](char c) { return c == '<' || c == ' '; });
        std::erase_if(b, [](char c) { return c == '<' || c == ' '; });
      }
    }
    const GbkText expected = ExchangeRowByRow(text, pairs);
    ASSERT_EQ(ExchangeIndexed(text, pairs), expected) << "round " << round;
    // Small pieces, so that texts are really cut (after "<" or " " when no word has one).
    for (std::size_t piece_bytes : {1u, 3u, 8u}) {
      ASSERT_EQ(ExchangeInPieces(text, pairs, piece_bytes), expected) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace qinghe
