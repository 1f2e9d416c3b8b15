// qinghe-cli rewrite, run as a real process on a real word database.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "gbk_literal.h"
#include "run_cli.h"
#include "script_convert.h"
#include "temp_dir_test.h"

namespace qinghe {
namespace {

namespace fs = std::filesystem;

class RewriteCommandTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::ofstream(dir_ + "/pairs.txt") << "美丽\t漂亮\n开心,快乐\n";
    const Result built = RunCli({"db", "build", "--synonyms", dir_ + "/pairs.txt", "--out", Db()});
    ASSERT_EQ(built.status, 0) << built.err;
  }
  std::string Db() const { return dir_ + "/words.mdb"; }
  std::string Article(const std::string& name, const std::string& utf8) const {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << Gbk(utf8);
    return path;
  }
  Result Rewrite(std::vector<std::string> args, const std::string& input = "") const {
    args.insert(args.begin(), {"rewrite", "--db", Db()});
    return RunCli(args, input);
  }
};

TEST_F(RewriteCommandTest, OneFileOrStandardInputGoesToStandardOutput) {
  const std::string path = Article("a.html", "美丽的花<br>让人开心\r\n");
  Result r = Rewrite({path});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Gbk("漂亮的花<BR>让人快乐<BR>"));
  EXPECT_TRUE(r.err.empty()) << r.err;

  r = Rewrite({}, Gbk("很漂亮") + std::string("\0ignored", 8));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Gbk("很美丽"));
}

TEST_F(RewriteCommandTest, FlagsChooseTheStages) {
  const std::string path = Article("a.html", "第一段美丽。<br>第二段。");
  EXPECT_EQ(Rewrite({"--reverse", path}).out, Gbk("第二段。<BR>第一段漂亮。<BR>"));
  EXPECT_EQ(Rewrite({"--to-traditional", path}).out,
            ConvertScript(Gbk("第一段漂亮。<BR>第二段。"), 4));
  // A traditional article is exchanged in simplified script and comes back traditional.
  const std::string traditional = Article("t.html", "美麗的花");
  EXPECT_EQ(Rewrite({"--traditional", traditional}).out, ConvertScript(Gbk("漂亮的花"), 4));

  const Result first = Rewrite({"--shuffle", "--seed", "7", path});
  const Result again = Rewrite({"--shuffle", "--seed", "7", path});
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, again.out);
  const std::string one = Gbk("第一段漂亮。\r\n"), two = Gbk("<BR>第二段。\r\n");
  EXPECT_TRUE(first.out == one + two || first.out == two + one) << first.out;
}

TEST_F(RewriteCommandTest, BatchWritesEachResultAndGoesOnPastFailures) {
  const std::string out = dir_ + "/out";
  fs::create_directory(out);
  fs::create_directory(dir_ + "/other");
  const std::string a = Article("a.html", "美丽");
  const std::string b = Article("b.html", "开心");
  const std::string same_name = dir_ + "/other/a.html";
  std::ofstream(same_name) << "x";
  const Result r = Rewrite({"-o", out, a, dir_ + "/missing.html", b, same_name});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("[1/4] " + a), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("[4/4] " + same_name), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("missing.html"), std::string::npos) << r.err;
  EXPECT_EQ(Slurp(out + "/a.html"), Gbk("漂亮"));
  EXPECT_EQ(Slurp(out + "/b.html"), Gbk("快乐"));
  EXPECT_FALSE(fs::exists(out + "/missing.html"));
}

TEST_F(RewriteCommandTest, UsageAndDatabaseErrorsAreOneLineWithStatusTwo) {
  const std::string a = Article("a.html", "美丽");
  const std::vector<std::vector<std::string>> bad = {
      {"rewrite", "--db", Db(), a, a},                     // several files without -o
      {"rewrite", "--db", Db(), "--seed", "x", a},         // not a number
      {"rewrite", "--db", Db(), "--frobnicate", a},        // unknown option
      {"rewrite", "--db", Db(), "-o", dir_ + "/nope", a},  // no such directory
      {"rewrite", "--db", dir_ + "/missing.mdb", a},       // no database
      {"rewrite", "--db", a, a},                           // not a database
  };
  for (const auto& args : bad) {
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args[3];
    EXPECT_TRUE(r.out.empty()) << args[3];
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

TEST(RewriteDefaultDatabaseTest, TheSampleArticleIsVisiblyRewritten) {
  const std::string bin = fs::path(QINGHE_CLI).parent_path().string();
  const std::string sample = Slurp(bin + "/sample_article.html");
  ASSERT_FALSE(sample.empty());
  const Result r = RunCli({"rewrite", bin + "/sample_article.html"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out, sample);
  // Paragraph markup survives; only words changed.
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '<'),
            std::count(sample.begin(), sample.end(), '<'));
}

}  // namespace
}  // namespace qinghe
