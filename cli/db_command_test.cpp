// qinghe-cli db build, run as a real program; the files it writes are read back through
// the store.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "database.h"
#include "gbk_literal.h"
#include "run_cli.h"
#include "synonyms.h"
#include "temp_dir_test.h"

namespace qinghe {
namespace {

class DbBuildTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    list_ = dir_ + "/list.txt";
    out_ = dir_ + "/" + kDatabaseFileName;
  }
  void WriteList(const std::string& text) { std::ofstream(list_, std::ios::binary) << text; }
  Result Build(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"db", "build", "--synonyms", list_, "--out", out_};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli(args);
  }

  // The pairs of ck, unscrambled, in stored order, each checked to carry no = 1, 2, ...
  std::vector<SynonymPair> Pairs() {
    DatabaseConnection connection;
    EXPECT_TRUE(connection.ConnectDatabase(out_, kDatabasePassword)) << connection.LastError();
    RecordCursor cursor;
    cursor.AttachCursor(connection);
    std::vector<SynonymPair> pairs;
    EXPECT_TRUE(cursor.OpenTable("ck"));
    const int count = cursor.RecordCount();
    cursor.MoveToFirst();
    for (int no = 1; no <= count; ++no, cursor.MoveToNext()) {
      EXPECT_EQ(cursor.ReadInteger("no"), no);
      pairs.emplace_back(Unscramble(cursor.ReadText("a")), Unscramble(cursor.ReadText("b")));
    }
    EXPECT_TRUE(cursor.OpenTable("th"));
    replacements_ = cursor.RecordCount();
    return pairs;
  }

  std::string list_, out_;
  int replacements_ = -1;
};

TEST_F(DbBuildTest, NumbersThePairsInFileOrderAndDropsRepeats) {
  WriteList(
      "\xEF\xBB\xBF# a comment\r\n"
      "美丽\t漂亮\r\n"
      "\r\n"
      "  \t \n"
      "apple, pear\n"
      "漂亮,美丽\n"    // the first pair reversed
      "美丽\t漂亮\n"   // repeated
      "美丽\t好看\n"   // a new pair sharing a word
      "1,000,一千\n"   // the first comma splits
      "Apple\tpear");  // differs in case: kept; no line end at the end of the file
  const Result r = Build();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("2 repeated or reversed pairs dropped"), std::string::npos) << r.err;
  const std::vector<SynonymPair> expected = {{Gbk("美丽"), Gbk("漂亮")},
                                             {"apple", "pear"},
                                             {Gbk("美丽"), Gbk("好看")},
                                             {"1", Gbk("000,一千")},
                                             {"Apple", "pear"}};
  EXPECT_EQ(Pairs(), expected);
  EXPECT_EQ(replacements_, 0);
}

TEST_F(DbBuildTest, BadLinesAreNamedAndNothingIsWritten) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a,b\n美丽\n", "list.txt:2: expected two words"},
      {"a,b\n\n,b\n", "list.txt:3: empty word"},
      {"a\t \n", "list.txt:1: empty word"},
      {"a,b\nx\t😀\n", "list.txt:2: '😀' cannot be written in code page 936"},
      {"a\x1F,b\n", "list.txt:1: 'a\x1F' contains a zero byte or the scrambling key 0x1F"},
      {"a\tb\tc\n", "list.txt:1: more than two words"},
      {"a,\xC3\n", "list.txt:1: '\xC3' cannot be written"},
  };
  for (const auto& [list, message] : cases) {
    WriteList(list);
    const Result r = Build();
    EXPECT_EQ(r.status, 2) << list;
    EXPECT_NE(r.err.find("qinghe-cli db build: " + dir_ + "/" + message), std::string::npos)
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(out_)) << list;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // no leftovers
}

TEST_F(DbBuildTest, ReplacesAnExistingFileOnlyWhenAskedTo) {
  WriteList("a,b\n");
  ASSERT_EQ(Build().status, 0);
  WriteList("c,d\n");
  const Result refused = Build();
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("exists"), std::string::npos);
  EXPECT_EQ(Pairs(), (std::vector<SynonymPair>{{"a", "b"}}));
  ASSERT_EQ(Build({"--force"}).status, 0);
  EXPECT_EQ(Pairs(), (std::vector<SynonymPair>{{"c", "d"}}));
  EXPECT_EQ(RunCli({"db", "build", "--out", out_}).status, 2);
  EXPECT_EQ(RunCli({"db", "build", "--synonyms", list_, "--out", out_, "--bogus"}).status, 2);
}

TEST_F(DbBuildTest, RebuildKeepsTheReplacementList) {
  WriteList("a,b\n");
  ASSERT_EQ(Build({"--keep-replacements"}).status, 0);  // nothing to keep yet
  {
    DatabaseConnection connection;
    ASSERT_TRUE(connection.ConnectDatabase(out_, kDatabasePassword));
    RecordCursor cursor;
    cursor.AttachCursor(connection);
    ASSERT_TRUE(cursor.OpenTable("th"));
    ASSERT_TRUE(cursor.AddRecord());
    ASSERT_TRUE(cursor.WriteText("a", Gbk("青禾")));
    ASSERT_TRUE(cursor.WriteText("c", "http://example.com/"));
    ASSERT_TRUE(cursor.WriteBool("d", true));
    ASSERT_TRUE(cursor.SaveRecord());
  }
  WriteList("c,d\ne,f\n");
  const Result r = Build({"--keep-replacements"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Pairs(), (std::vector<SynonymPair>{{"c", "d"}, {"e", "f"}}));
  EXPECT_EQ(replacements_, 1);
  DatabaseConnection connection;
  ASSERT_TRUE(connection.ConnectDatabase(out_, kDatabasePassword));
  RecordCursor cursor;
  cursor.AttachCursor(connection);
  ASSERT_TRUE(cursor.OpenTable("th"));
  EXPECT_EQ(cursor.ReadText("a"), Gbk("青禾"));
  EXPECT_EQ(cursor.ReadText("c"), "http://example.com/");
  EXPECT_TRUE(cursor.ReadBool("d"));

  // A file that cannot be read is left alone instead of being replaced.
  std::ofstream(out_, std::ios::binary) << "not a database";
  const Result unreadable = Build({"--keep-replacements"});
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(Slurp(out_), "not a database");
}

TEST_F(DbBuildTest, TheShippedWordListBuildsWithoutRepeats) {
  list_ = std::string(QINGHE_SOURCE_DIR) + "/assets/synonyms.txt";
  const Result r = Build();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("dropped"), std::string::npos) << r.err;
  std::ifstream in(list_);
  int lines = 0;
  for (std::string line; std::getline(in, line);) lines += !line.empty() && line[0] != '#';
  EXPECT_EQ(Pairs().size(), static_cast<std::size_t>(lines));
}

}  // namespace
}  // namespace qinghe
