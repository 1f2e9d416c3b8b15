#include "gbk_text.h"

#include <gtest/gtest.h>

#include <set>

#include "gbk_literal.h"

namespace qinghe {
namespace {

struct ReplaceCase {
  const char* name;
  std::string text, find, replacement;
  CaseRule rule;
  std::string expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.name; }

class ReplaceAllTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, GivesExpectedText) {
  const ReplaceCase& c = GetParam();
  EXPECT_EQ(ReplaceAll(c.text, c.find, c.replacement, c.rule), c.expected);
}

constexpr CaseRule kExact = CaseRule::kExact;
constexpr CaseRule kIgnore = CaseRule::kIgnoreAsciiCase;

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    testing::Values(
        ReplaceCase{"ExactLeavesOtherCases", "<br><Br><BR>", "<br>", "<BR>", kExact,
                    "<BR><Br><BR>"},
        ReplaceCase{"IgnoringCaseMatchesAnyCase", "abc aBc ABC", "ABC", "x", kIgnore, "x x x"},
        ReplaceCase{"TrailByteIsComparedExactly", "\xB0\x61", "\xB0\x41", "x", kIgnore, "\xB0\x61"},
        ReplaceCase{"FullWidthLettersAreNotFolded", Gbk("Ａ"), Gbk("ａ"), "x", kIgnore, Gbk("Ａ")},
        ReplaceCase{"LetterNeverMatchesTrailByte", "\xB0\x41", "A", "x", kIgnore, "\xB0\x41"},
        ReplaceCase{"EmptyFindChangesNothing", "abc", "", "x", kIgnore, "abc"},
        ReplaceCase{"EmptyTextStaysEmpty", "", "a", "x", kIgnore, ""},
        ReplaceCase{"FindLongerThanText", "ab", "abc", "x", kIgnore, "ab"},
        ReplaceCase{"NonOverlappingLeftToRight", "aaaa", "aa", "b", kExact, "bb"},
        ReplaceCase{"ThreeAsOnceAtStart", "aaa", "aa", "b", kExact, "ba"},
        ReplaceCase{"ReplacementIsNotSearchedAgain", "a", "a", "aa", kExact, "aa"},
        ReplaceCase{"EmptyReplacementDeletes", Gbk("美丽的花"), Gbk("美丽"), "", kIgnore,
                    Gbk("的花")},
        ReplaceCase{"FinalLoneLeadByteKept", "a\xB0", "\xB0", "x", kExact, "a\xB0"},
        ReplaceCase{"FinalLoneLeadByteKeptOneByteFind", "aa\xC1", "a", "b", kExact, "bb\xC1"},
        ReplaceCase{"MatchNeverStartsOnTrailByte", Gbk("啊"), "\xA1", "x", kExact, Gbk("啊")},
        // 0x80 (the euro sign) is a character of one byte: the character after it is
        // read on its own boundary.
        ReplaceCase{"EuroSignIsOneByte", "\x80" + Gbk("中国"), Gbk("中"), Gbk("美"), kExact,
                    "\x80" + Gbk("美国")},
        ReplaceCase{"ByteFFIsOneByte", "\xFF" + Gbk("中"), Gbk("中"), "z", kExact, "\xFFz"}),
    [](const testing::TestParamInfo<ReplaceCase>& param_info) { return param_info.param.name; });

TEST(SplitTextTest, FollowsTheDelimiterRules) {
  const std::string stop = Gbk("。");
  const std::string a = Gbk("甲"), b = Gbk("乙");
  EXPECT_EQ(SplitText("", stop), TextList{});
  EXPECT_EQ(SplitText("abc", ""), TextList{"abc"});
  EXPECT_EQ(SplitText(a + stop + b + stop, stop), (TextList{a, b}));
  EXPECT_EQ(SplitText(a + stop + b, stop), (TextList{a, b}));
  EXPECT_EQ(SplitText(stop + a, stop), (TextList{"", a}));
  EXPECT_EQ(SplitText(a + stop + stop + b, stop), (TextList{a, "", b}));
  EXPECT_EQ(SplitText(a, stop), TextList{a});
  EXPECT_EQ(SplitText("x|y\xB0", "|"), (TextList{"x", "y\xB0"}));
  // "|" is 0x7C, a possible trail byte: it never splits a double-byte character.
  EXPECT_EQ(SplitText("\xB0|a|b", "|"), (TextList{"\xB0|a", "b"}));
}

TEST(FindTextTest, SearchesFromStartOnCharacterBoundaries) {
  EXPECT_EQ(FindText("ab/cd/ef/g", "/", 4), 6);
  EXPECT_EQ(FindText("ab/cd/ef/g", "/", 11), -1);
  EXPECT_EQ(FindText("ab/cd/ef/g", "", 5), 1);
  EXPECT_EQ(FindText("abc", "", 4), -1);
  EXPECT_EQ(FindText("abc", "B", 0), 2);
  EXPECT_EQ(FindText("abc", "B", 1, CaseRule::kExact), -1);
  EXPECT_EQ(FindText("\xB0\x41"
                     "A",
                     "A"),
            3);
  EXPECT_EQ(FindText("a\xB0", "\xB0"), -1);
}

TEST(CuttingTest, ClampsPositionsAndCounts) {
  EXPECT_EQ(MidBytes("abcdef", 5, 10), "ef");
  EXPECT_EQ(MidBytes("abcdef", 0, 2), "");
  EXPECT_EQ(MidBytes("abcdef", 7, 2), "");
  EXPECT_EQ(MidBytes("abcdef", 2, 0), "");
  EXPECT_EQ(LeftBytes("abc", 2), "ab");
  EXPECT_EQ(LeftBytes("abc", 9), "abc");
  EXPECT_EQ(LeftBytes("abc", -1), "");
  EXPECT_EQ(RightBytes("abc", 2), "bc");
  EXPECT_EQ(RightBytes("abc", 9), "abc");
  EXPECT_EQ(RightBytes("abc", 0), "");
  EXPECT_EQ(ReplaceRange("http://x.cn", 1, 7), "x.cn");
  EXPECT_EQ(ReplaceRange("abc", 0, 1, "X"), "Xbc");
  EXPECT_EQ(ReplaceRange("abc", 9, 1, "X"), "abcX");
  EXPECT_EQ(ReplaceRange("abc", 2, 99, ""), "a");
  EXPECT_EQ(ReplaceRange("abc", 2, -3, "X"), "aXbc");
  // Cutting works on bytes and may split a double-byte character.
  EXPECT_EQ(LeftBytes(Gbk("中"), 1), "\xD6");
}

TEST(CaseTest, FoldsSingleByteLettersOnly) {
  EXPECT_EQ(AsciiUpper("a" + Gbk("中") + "b"), "A" + Gbk("中") + "B");
  EXPECT_EQ(AsciiUpper(Gbk("ａ") + "\xB0\x61"), Gbk("ａ") + "\xB0\x61");
  EXPECT_EQ(AsciiLower("AbC\xB0\x41"), "abc\xB0\x41");
  EXPECT_EQ(CompareText("ABC", "abc", CaseRule::kIgnoreAsciiCase), 0);
  EXPECT_NE(CompareText("ABC", "abc", CaseRule::kExact), 0);
  EXPECT_NE(CompareText("\xB0\x41", "\xB0\x61", CaseRule::kIgnoreAsciiCase), 0);
  EXPECT_LT(CompareText("ab", "abc", CaseRule::kExact), 0);
  EXPECT_GT(CompareText("b", "abc", CaseRule::kExact), 0);
}

TEST(SmallOperationsTest, GiveTheirValues) {
  EXPECT_EQ(IntToText(-12), "-12");
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(CharFromCode(0x141), "A");
  EXPECT_EQ(CharFromCode(0), "");
  EXPECT_EQ(SpaceText(3), "   ");
  EXPECT_EQ(SpaceText(0), "");
  EXPECT_EQ(ByteLength(Gbk("中a")), 3);
  EXPECT_EQ(ConcatText({"a", "", "bc"}), "abc");
  EXPECT_TRUE(TextEquals("", std::string_view()));
  EXPECT_EQ(IntegerDivide(7, 2), 3);
  EXPECT_EQ(IntegerDivide(5, 2), 2);
  EXPECT_EQ(IntegerDivide(-3, 2), -1);
  EXPECT_DEATH(IntegerDivide(1, 0), Gbk("不能整除于零"));
}

TEST(BytesTest, StopAtZeroAndClamp) {
  EXPECT_EQ(BytesToText(std::string("A\0B", 3)), "A");
  EXPECT_EQ(BytesToText(std::string("\0A", 2)), "");
  EXPECT_EQ(BytesToText(""), "");
  EXPECT_EQ(ToBytes("ab"), "ab");
  EXPECT_EQ(ZeroBytes(2), std::string("\0\0", 2));
  EXPECT_EQ(ZeroBytes(-1), "");
  EXPECT_EQ(BytesPrefix("abc", 2), "ab");
  EXPECT_EQ(BytesPrefix("abc", 9), "abc");
  EXPECT_EQ(BytesPrefix("abc", -1), "");
  EXPECT_EQ(ConcatBytes({std::string("a\0", 2), "b"}), std::string("a\0b", 3));
}

TEST(ParseNumberTest, ReadsLeadingDecimalNumberAfterFullWidthMapping) {
  EXPECT_EQ(ParseNumber(Gbk("８０８０")), 8080);
  EXPECT_EQ(ParseNumber("3.0abc"), 3.0);
  EXPECT_EQ(ParseNumber("  -2.5e2x"), -250.0);
  EXPECT_EQ(ParseNumber(Gbk("　－１．５")), -1.5);
  EXPECT_EQ(ParseNumber("abc"), 0.0);
  EXPECT_EQ(ParseNumber("0x10"), 0.0);
  EXPECT_EQ(ParseNumber("inf"), 0.0);
  EXPECT_EQ(ParseNumber("4e"), 4.0);
  EXPECT_EQ(ParseNumber(""), 0.0);
  EXPECT_FLOAT_EQ(ParseFloat("3.1"), 3.1f);
}

TEST(RandomTest, RangeRulesAndReproducibleSeeding) {
  EXPECT_EQ(RandomInRange(1, 1), 1);
  EXPECT_EQ(RandomInRange(-5, 0), 0);
  std::set<int> seen;
  for (int i = 0; i < 500; ++i) {
    const int r = RandomInRange(5, 1);
    ASSERT_GE(r, 1);
    ASSERT_LE(r, 5);
    seen.insert(r);
  }
  EXPECT_EQ(seen.size(), 5u);

  // Two reseeds at the same tick differ thanks to the reseed counter; a fixed tick
  // source replays the same sequence.
  const auto draws = [] {
    SetTickSource([] { return 42u; });
    std::vector<int> values;
    for (int round = 0; round < 2; ++round) {
      SeedRandom();
      values.push_back(RandomInRange(0, 1 << 30));
    }
    return values;
  };
  const std::vector<int> first = draws();
  EXPECT_NE(first[0], first[1]);
  EXPECT_EQ(draws(), first);
  SetTickSource(nullptr);
}

TEST(PendingEventsTest, HookRunsWhenInstalledAndThrottles) {
  int calls = 0;
  SetPendingEventsHook([&] { ++calls; });
  ProcessPendingEvents();
  EXPECT_EQ(calls, 1);
  for (int i = 0; i < 64; ++i) ProcessPendingEventsThrottled();
  EXPECT_EQ(calls, 1);  // well under 20 ms since the last call
  SetPendingEventsHook(nullptr);
  ProcessPendingEvents();
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace qinghe
