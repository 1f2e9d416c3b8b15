#include "script_convert.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "convert_tables.h"
#include "gbk_literal.h"

namespace qinghe {
namespace {

constexpr int kToSimplified = 3;
constexpr int kToTraditional = 4;

// Every double-byte code of the tables, as a two-byte text.
std::vector<std::string> AllCodes() {
  std::vector<std::string> codes;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      codes.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
  return codes;
}

bool IsUserDefined(unsigned char lead, unsigned char trail) {
  if ((lead >= 0xAA && lead <= 0xAF) || lead >= 0xF8) return trail >= 0xA1;
  return lead >= 0xA1 && lead <= 0xA7 && trail <= 0xA0;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

struct ConvertCase {
  int mode;
  const char* input;
  const char* expected;
};

class ConvertScriptCases : public testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertScriptCases, ConvertsEachCharacterThroughTheModesTable) {
  const ConvertCase& c = GetParam();
  const std::string input = Gbk(c.input);
  const std::string expected = Gbk(c.expected);
  EXPECT_EQ(GbkToUtf8Lossy(ConvertScript(input, c.mode)), GbkToUtf8Lossy(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Articles, ConvertScriptCases,
    testing::Values(ConvertCase{4, "国们发后", "國們發後"}, ConvertCase{3, "幹乾", "干干"},
                    ConvertCase{3, "國們發後", "国们发后"},
                    ConvertCase{4, "“甲”和‘乙’", "『甲』和「乙」"},
                    ConvertCase{3, "『甲』和「乙」", "“甲”和‘乙’"},
                    ConvertCase{3, "﹐﹑﹒﹔﹕﹖﹗〔注〕", "，、。；：？！［注］"},
                    // Chinese inside tags and attributes converts; markup, entities, quotes stay.
                    ConvertCase{4, "<a title=\"发\" href='x?a=1&amp;b'>后</a>",
                                "<a title=\"發\" href='x?a=1&amp;b'>後</a>"},
                    // Punctuation that the other direction does not touch.
                    ConvertCase{3, "“甲”‘乙’。，、；：？！（）《》【】…—～·",
                                "“甲”‘乙’。，、；：？！（）《》【】…—～·"},
                    ConvertCase{4, "「甲」『乙』〔丙〕﹒。，、（）《》【】…—～·",
                                "「甲」『乙』〔丙〕﹒。，、（）《》【】…—～·"},
                    // Variant forms fold into the standard form.
                    ConvertCase{3, "両亜仏丄", "两亚佛上"}, ConvertCase{4, "啰镕櫈", "囉鎔凳"}));

// The characters whose choices are fixed: {character, mode 3 result, mode 4 result}.
INSTANTIATE_TEST_SUITE_P(
    FixedRows, ConvertScriptCases, testing::ValuesIn([] {
      const std::vector<std::vector<const char*>> rows = {
          {"国", "国", "國"}, {"们", "们", "們"}, {"发", "发", "發"},
          {"后", "后", "後"}, {"後", "后", "後"}, {"干", "干", "乾"},
          {"乾", "干", "乾"}, {"幹", "干", "幹"}, {"里", "里", "裡"},
          {"裏", "里", "裏"}, {"台", "台", "臺"}, {"檯", "台", "檯"},
          {"云", "云", "雲"}, {"着", "着", "著"}, {"面", "面", "面"},
          {"麵", "面", "麵"}, {"只", "只", "只"}, {"隻", "只", "隻"},
          {"沉", "沉", "沈"}, {"馀", "余", "餘"}, {"的一我", "的一我", "的一我"},
      };
      std::vector<ConvertCase> cases;
      for (const auto& row : rows) {
        cases.push_back({kToSimplified, row[0], row[1]});
        cases.push_back({kToTraditional, row[0], row[2]});
      }
      return cases;
    }()));

// The only characters of the GB 2312 area that the traditional-to-simplified table changes.
INSTANTIATE_TEST_SUITE_P(Gb2312Variants, ConvertScriptCases,
                         testing::Values(ConvertCase{
                             3, "硷乾著亓仝凇谘垅摺後徵夥馀渖甯榘飚於锺箝雠鲶麽",
                             "碱干着其同淞咨垄折后征伙余沈宁矩飙于钟钳仇鲇么"}));

TEST(ConvertScriptTest, AsciiAndEmptyTextsComeBackUnchanged) {
  const std::string html = "<p class=\"x\">Hello &amp; 'world'</p>\r\n<BR>123!~\x7F";
  for (int mode : {kToSimplified, kToTraditional}) {
    EXPECT_EQ(ConvertScript(html, mode), html);
    EXPECT_EQ(ConvertScript("", mode), "");
  }
}

TEST(ConvertScriptTest, OtherModesReturnTheTextUnchanged) {
  const std::string text = Gbk("國们");
  for (int mode : {0, 1, 2, 5, -3}) EXPECT_EQ(ConvertScript(text, mode), text) << mode;
}

TEST(ConvertScriptTest, EuroSignAndByteFFAreCharactersOfOneByte) {
  // The character right after them is still read on its own boundary.
  EXPECT_EQ(ConvertScript("\x80" + Gbk("國"), kToSimplified), "\x80" + Gbk("国"));
  EXPECT_EQ(ConvertScript("\xFF" + Gbk("们"), kToTraditional), "\xFF" + Gbk("們"));
  EXPECT_EQ(ConvertScript(Gbk("价格10€，发货"), kToTraditional), Gbk("價格10€，發貨"));
}

TEST(ConvertScriptTest, LeadByteWithoutValidTrailStaysUnchanged) {
  struct Case {
    std::string input;
    std::string expected;
  };
  const std::vector<Case> cases = {
      // A final lead byte has no trail byte and ends the walk.
      {Gbk("國") + "\xB9", Gbk("国") + "\xB9"},
      {"\x87", "\x87"},
      // A lead byte followed by 0x7F, a byte below 0x40 or 0xFF: both bytes stay.
      {Bytes({0x87, 0x7F}) + Gbk("國"), Bytes({0x87, 0x7F}) + Gbk("国")},
      {Bytes({0x87, 0x30}) + Gbk("國"), Bytes({0x87, 0x30}) + Gbk("国")},
      {Bytes({0x87, 0xFF}) + Gbk("國"), Bytes({0x87, 0xFF}) + Gbk("国")},
  };
  for (const Case& c : cases) EXPECT_EQ(ConvertScript(c.input, kToSimplified), c.expected);
}

// The table invariants, checked through the conversion of every code on its own.
class ConversionTableTest : public testing::TestWithParam<int> {};

TEST_P(ConversionTableTest, EveryCodeMapsToAValidCodeThatMapsToItself) {
  const int mode = GetParam();
  for (const std::string& code : AllCodes()) {
    const std::string converted = ConvertScript(code, mode);
    ASSERT_EQ(converted.size(), 2u);
    const auto lead = static_cast<unsigned char>(converted[0]);
    const auto trail = static_cast<unsigned char>(converted[1]);
    EXPECT_TRUE(ConversionTableOffset(lead, trail).has_value())
        << "mode " << mode << " gives an invalid code for " << std::hex
        << static_cast<int>(static_cast<unsigned char>(code[0]))
        << static_cast<int>(static_cast<unsigned char>(code[1]));
    EXPECT_EQ(ConvertScript(converted, mode), converted) << "not idempotent at " << code;
  }
}

TEST_P(ConversionTableTest, UserDefinedAreasMapToThemselves) {
  for (const std::string& code : AllCodes()) {
    if (IsUserDefined(static_cast<unsigned char>(code[0]), static_cast<unsigned char>(code[1]))) {
      EXPECT_EQ(ConvertScript(code, GetParam()), code);
    }
  }
}

TEST_P(ConversionTableTest, SymbolRowsChangeOnlyThePunctuationOfTheMode) {
  const std::map<std::string, std::string> changes =
      GetParam() == kToSimplified
          ? std::map<std::string, std::string>{{Gbk("「"), Gbk("‘")},  {Gbk("」"), Gbk("’")},
                                               {Gbk("『"), Gbk("“")},  {Gbk("』"), Gbk("”")},
                                               {Gbk("〔"), Gbk("［")}, {Gbk("〕"), Gbk("］")},
                                               {Gbk("﹐"), Gbk("，")}, {Gbk("﹑"), Gbk("、")},
                                               {Gbk("﹒"), Gbk("。")}, {Gbk("﹔"), Gbk("；")},
                                               {Gbk("﹕"), Gbk("：")}, {Gbk("﹖"), Gbk("？")},
                                               {Gbk("﹗"), Gbk("！")}}
          : std::map<std::string, std::string>{{Gbk("“"), Gbk("『")},
                                               {Gbk("”"), Gbk("』")},
                                               {Gbk("‘"), Gbk("「")},
                                               {Gbk("’"), Gbk("」")}};
  for (const std::string& code : AllCodes()) {
    const auto lead = static_cast<unsigned char>(code[0]);
    if (lead < 0xA1 || lead > 0xA9) continue;
    const auto change = changes.find(code);
    EXPECT_EQ(ConvertScript(code, GetParam()), change == changes.end() ? code : change->second)
        << GbkToUtf8Lossy(code);
  }
}

TEST_P(ConversionTableTest, ConvertingAWholeTextEqualsConvertingEachCharacter) {
  // The conversion is context-free and keeps the byte length.
  std::string all;
  std::string expected;
  for (const std::string& code : AllCodes()) {
    all += code + "a";
    expected += ConvertScript(code, GetParam()) + "a";
  }
  const std::string converted = ConvertScript(all, GetParam());
  EXPECT_EQ(converted.size(), all.size());
  EXPECT_EQ(converted, expected);
  EXPECT_EQ(ConvertScript(converted, GetParam()), converted);
}

INSTANTIATE_TEST_SUITE_P(BothModes, ConversionTableTest,
                         testing::Values(kToSimplified, kToTraditional));

TEST(ConvertScriptTest, RoundTripsPickOneFormForCollapsedCharacters) {
  // Several traditional characters share one simplified form; the way back picks one.
  EXPECT_EQ(ConvertScript(ConvertScript(Gbk("幹麵隻裏"), 3), 4), Gbk("乾面只裡"));
  EXPECT_EQ(ConvertScript(ConvertScript(Gbk("沉馀国"), 4), 3), Gbk("沈余国"));
}

}  // namespace
}  // namespace qinghe
