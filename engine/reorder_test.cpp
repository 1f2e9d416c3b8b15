#include "reorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "gbk_literal.h"

namespace qinghe {
namespace {

struct BreakCase {
  const char* name;
  std::string text;
  bool reverse;
  std::string expected;
};

void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

class NormalizeBreaksTest : public testing::TestWithParam<BreakCase> {};

TEST_P(NormalizeBreaksTest, GivesExpectedText) {
  const BreakCase& c = GetParam();
  EXPECT_EQ(NormalizeBreaks(c.text, c.reverse), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalizeBreaksTest,
    testing::Values(
        BreakCase{"Empty", "", false, ""}, BreakCase{"EmptyReversed", "", true, ""},
        BreakCase{"LowerBrAndCrLf", "a<br>b\r\nc", false, "a<BR>b<BR>c"},
        BreakCase{"OtherFormsStay", "a<Br>b<br/>c<br />d\re\nf", false,
                  "a<Br>b<br/>c<br />d\re\nf"},
        BreakCase{"Reversed", "p1<BR>p2<BR>p3", true, "p3<BR>p2<BR>p1<BR>"},
        BreakCase{"TrailingBreakGivesNoEmptyPiece", "p1<BR>p2<BR>", true, "p2<BR>p1<BR>"},
        BreakCase{"LeadingBreakEndsLast", "<BR>p1", true, "p1<BR><BR>"},
        BreakCase{"DoubleBreakKeepsEmptyPiece", "p1<BR><BR>p2", true, "p2<BR><BR>p1<BR>"},
        BreakCase{"NoBreakGetsOne", "<P>a</P><P>b</P>", true, "<P>a</P><P>b</P><BR>"},
        BreakCase{"CrLfAndBrSplitParagraphs", "<P>a</P>\r\n<P>b</P>", true,
                  "<P>b</P><BR><P>a</P><BR>"}),
    [](const testing::TestParamInfo<BreakCase>& param_info) { return param_info.param.name; });

const std::string kStop = Gbk("。");
const std::string kCrLf = "\r\n";

TEST(ShuffleSentencesTest, EmptyAndSingleSentence) {
  EXPECT_EQ(ShuffleSentences(""), "");
  EXPECT_TRUE(RandomOrder().empty());
  EXPECT_EQ(ShuffleSentences(Gbk("没有句号")), Gbk("没有句号") + kStop + kCrLf);
  EXPECT_EQ(RandomOrder(), std::vector<std::int32_t>{1});
  // Other full-stop forms do not end a sentence.
  EXPECT_EQ(ShuffleSentences("a.b" + Gbk("．") + "c"), "a.b" + Gbk("．") + "c" + kStop + kCrLf);
}

TEST(ShuffleSentencesTest, GivesEachSentenceOnceInSomeOrder) {
  const std::string a = Gbk("甲"), b = Gbk("乙");
  std::set<std::string> seen;
  for (int i = 0; i < 60; ++i) seen.insert(ShuffleSentences(a + kStop + b + kStop));
  EXPECT_EQ(seen, (std::set<std::string>{a + kStop + kCrLf + b + kStop + kCrLf,
                                         b + kStop + kCrLf + a + kStop + kCrLf}));
  // An empty sentence comes out as the full stop alone, wherever it lands; markup is cut
  // like any text.
  const std::string shuffled = kCrLf + ShuffleSentences(a + kStop + kStop + b);
  EXPECT_NE(shuffled.find(kCrLf + kStop + kCrLf), std::string::npos) << shuffled;
  EXPECT_EQ(
      ShuffleSentences("<P>" + a + kStop + b + kStop + "</P>").size(),
      std::string("<P>" + a + kStop + kCrLf + b + kStop + kCrLf + "</P>" + kStop + kCrLf).size());
}

TEST(FillRandomOrderTest, IsAPermutationAndReproducibleWithFixedTicks) {
  FillRandomOrder(500);
  std::vector<std::int32_t> sorted = RandomOrder();
  std::sort(sorted.begin(), sorted.end());
  for (std::int32_t i = 1; i <= 500; ++i) ASSERT_EQ(sorted[static_cast<std::size_t>(i - 1)], i);
  EXPECT_FALSE(std::is_sorted(RandomOrder().begin(), RandomOrder().end()));

  SetTickSource([] { return 7u; });
  FillRandomOrder(50);
  const std::vector<std::int32_t> first = RandomOrder();
  SetTickSource([] { return 7u; });
  FillRandomOrder(50);
  EXPECT_EQ(RandomOrder(), first);
  SetTickSource(nullptr);

  FillRandomOrder(0);
  EXPECT_TRUE(RandomOrder().empty());
}

}  // namespace
}  // namespace qinghe
