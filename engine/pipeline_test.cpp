#include "pipeline.h"

#include <gtest/gtest.h>

#include "gbk_literal.h"
#include "memory_cursor.h"
#include "script_convert.h"
#include "synonyms.h"

namespace qinghe {
namespace {

// Options held in fields; records what was asked, in order.
struct FakeHost : RewriteHost {
  bool simplified = true, traditional = false, reverse = false, to_traditional = false,
       shuffle = false;
  int mode = 0;
  GbkText article;
  std::vector<std::string> asked;

  bool SimplifiedChecked() override { return Ask("simplified", simplified); }
  bool TraditionalChecked() override { return Ask("traditional", traditional); }
  int ModeSelection() override {
    asked.push_back("mode");
    return mode;
  }
  bool ReverseParagraphs() override { return Ask("reverse", reverse); }
  bool OutputTraditional() override { return Ask("to_traditional", to_traditional); }
  bool ShuffleSentences() override { return Ask("shuffle", shuffle); }
  GbkText ReadArticle() override {
    asked.push_back("article");
    return article;
  }
  bool Ask(const char* what, bool value) {
    asked.push_back(what);
    return value;
  }
};

MemoryCursor Words() {
  const auto row = [](const char* no, const char* a, const char* b) {
    return MemoryCursor::Row{{"no", no}, {"a", Unscramble(Gbk(a))}, {"b", Unscramble(Gbk(b))}};
  };
  return MemoryCursor({{"ck", {row("1", "美丽", "漂亮"), row("2", "干", "做")}}});
}

TEST(PipelineTest, SimplifiedPathNormalisesAndExchanges) {
  FakeHost host;
  host.article = Gbk("美丽<br>的花\r\n");
  MemoryCursor words = Words();
  EXPECT_EQ(RunRewriteStages(host, words), Gbk("漂亮<BR>的花<BR>"));
  EXPECT_EQ(host.asked, (std::vector<std::string>{"simplified", "mode", "article", "reverse",
                                                  "to_traditional", "shuffle"}));
}

TEST(PipelineTest, TraditionalPathExchangesInSimplifiedAndComesOutTraditional) {
  FakeHost host;
  host.simplified = false;
  host.traditional = true;
  host.article = Gbk("美麗的花<br>幹活");
  MemoryCursor words = Words();
  const GbkText result = RunRewriteStages(host, words);
  // 幹 becomes 干 for the exchange, which turns it into 做, and 漂亮 into 漂亮's traditional form.
  EXPECT_EQ(result, ConvertScript(Gbk("漂亮的花<BR>做活"), 4));
  // Converting to traditional once more (生成繁体) changes nothing.
  host.to_traditional = true;
  EXPECT_EQ(RunRewriteStages(host, words), result);
}

TEST(PipelineTest, ReversalConversionAndShuffleFollowTheOptions) {
  FakeHost host;
  host.article = Gbk("第一段。<br>第二段。");
  host.reverse = true;
  MemoryCursor words = Words();
  EXPECT_EQ(RunRewriteStages(host, words), Gbk("第二段。<BR>第一段。<BR>"));

  host.reverse = false;
  host.to_traditional = true;
  EXPECT_EQ(RunRewriteStages(host, words), ConvertScript(Gbk("第一段。<BR>第二段。"), 4));

  host.to_traditional = false;
  host.shuffle = true;
  const GbkText shuffled = RunRewriteStages(host, words);
  const GbkText first = Gbk("第一段。\r\n"), second = Gbk("<BR>第二段。\r\n");
  EXPECT_TRUE(shuffled == first + second || shuffled == second + first) << shuffled;
}

TEST(PipelineTest, OtherModeReadsNoArticle) {
  FakeHost host;
  host.mode = 1;
  host.article = Gbk("美丽");
  host.to_traditional = true;
  MemoryCursor words = Words();
  EXPECT_EQ(RunRewriteStages(host, words), "");
  EXPECT_EQ(std::count(host.asked.begin(), host.asked.end(), "article"), 0);
}

TEST(PipelineTest, OptionsAreReadWhenTheirStageIsReached) {
  FakeHost host;
  host.article = Gbk("美丽");
  // The user ticks 生成繁体 while the synonym stage runs: it takes effect in this run.
  const GbkText result = RunRewriteStages(host, [&host](std::string_view text) {
    host.to_traditional = true;
    return GbkText(text);
  });
  EXPECT_EQ(result, ConvertScript(Gbk("美丽"), 4));
}

}  // namespace
}  // namespace qinghe
