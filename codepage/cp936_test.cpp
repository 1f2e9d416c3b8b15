#include "cp936.h"

#include <gtest/gtest.h>

namespace qinghe {
namespace {

TEST(Cp936Test, RoundTripsChineseAsciiAndEuro) {
  const std::string utf8 = "中文 abc €";
  const std::optional<std::string> gbk = Utf8ToGbk(utf8);
  ASSERT_TRUE(gbk);
  EXPECT_EQ(*gbk, "\xD6\xD0\xCE\xC4 abc \x80");
  EXPECT_EQ(GbkToUtf8(*gbk), utf8);
}

TEST(Cp936Test, UnwritableCharactersFailStrictlyAndBecomeReferences) {
  EXPECT_FALSE(Utf8ToGbk("a😀b"));
  EXPECT_EQ(Utf8ToGbkWithReferences("a😀b中"), "a&#128512;b\xD6\xD0");
  EXPECT_EQ(Utf8ToGbkWithReferences("x\xFFy"), "x&#65533;y");
  EXPECT_EQ(Utf8ToGbkWithReferences(""), "");
}

TEST(Cp936Test, InvalidGbkFailsStrictlyAndIsReplacedWhenLossy) {
  EXPECT_FALSE(GbkToUtf8("a\xFF"));
  EXPECT_EQ(GbkToUtf8Lossy("a\xFF"
                           "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(GbkToUtf8Lossy("\xD6\xD0\xB0"), "中\xEF\xBF\xBD");
}

}  // namespace
}  // namespace qinghe
