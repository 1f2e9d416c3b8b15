// The record cursor's rules on real database files.
#include <set>

#include "gbk_literal.h"
#include "store_test_util.h"

namespace qinghe {
namespace {

class RecordCursorTest : public StoreFileTest {
 protected:
  void SetUp() override {
    StoreFileTest::SetUp();
    WriteDatabase({{"a1", "b1"}, {"a2", "b2"}, {"a3", "b3"}, {"a4", "b4"}}, path_);
    ASSERT_TRUE(connection_.ConnectDatabase(path_, kDatabasePassword)) << connection_.LastError();
    ASSERT_TRUE(cursor_.AttachCursor(connection_));
    SetStoreMessageHook([this](const std::string& text) { messages_.push_back(text); });
  }
  void TearDown() override {
    SetStoreMessageHook(nullptr);
    StoreFileTest::TearDown();
  }

  // Adds and stores a th record; its id.
  std::int32_t AddReplacement(const std::string& a, const std::string& b, const std::string& c,
                              bool d) {
    EXPECT_TRUE(cursor_.AddRecord());
    EXPECT_TRUE(cursor_.WriteText("a", a));
    EXPECT_TRUE(cursor_.WriteText("b", b));
    EXPECT_TRUE(cursor_.WriteText("c", c));
    EXPECT_TRUE(cursor_.WriteBool("d", d));
    EXPECT_TRUE(cursor_.SaveRecord());
    return cursor_.ReadInteger("id");
  }

  // The values of field `field` over a walk from the first record.
  std::vector<std::string> Walk(std::string_view field) {
    std::vector<std::string> values;
    const int count = cursor_.RecordCount();
    cursor_.MoveToFirst();
    for (int i = 0; i < count; ++i) {
      values.push_back(cursor_.ReadText(field));
      cursor_.MoveToNext();
    }
    return values;
  }

  DatabaseConnection connection_;
  RecordCursor cursor_;
  std::vector<std::string> messages_;
};

TEST_F(RecordCursorTest, EmptyTableHasNoRecords) {
  ASSERT_TRUE(cursor_.OpenTable("th"));
  EXPECT_EQ(cursor_.RecordCount(), 0);
  EXPECT_FALSE(cursor_.MoveToFirst());
  EXPECT_FALSE(cursor_.MoveToNext());
  EXPECT_FALSE(cursor_.FindRecord("id=1"));
  EXPECT_EQ(cursor_.ReadText("a"), "");
  EXPECT_FALSE(cursor_.SaveRecord());
  EXPECT_FALSE(cursor_.DeleteRecord());
}

TEST_F(RecordCursorTest, FailedOpenShowsTheEngineMessageAndLeavesTheCursorClosed) {
  ASSERT_TRUE(cursor_.OpenTable("ck"));
  EXPECT_FALSE(cursor_.OpenTable("nosuch"));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find("no such table: nosuch"), std::string::npos) << messages_[0];
  EXPECT_EQ(cursor_.RecordCount(), -1);
  EXPECT_FALSE(cursor_.MoveToFirst());
  EXPECT_FALSE(cursor_.FindRecord("no=1"));
  EXPECT_EQ(cursor_.ReadText("a"), "");
  EXPECT_FALSE(cursor_.AddRecord());
}

TEST(RecordCursorDetachedTest, OpenWithoutConnectionFailsSilently) {
  bool called = false;
  SetStoreMessageHook([&](const std::string&) { called = true; });
  RecordCursor cursor;
  EXPECT_FALSE(cursor.OpenTable("ck"));
  EXPECT_EQ(cursor.RecordCount(), -1);
  DatabaseConnection closed;
  cursor.AttachCursor(closed);
  EXPECT_FALSE(cursor.OpenTable("ck"));
  EXPECT_TRUE(called);  // an attached but closed connection is an engine error
  SetStoreMessageHook(nullptr);
}

TEST_F(RecordCursorTest, FindSearchesForwardFromTheCurrentRecord) {
  ASSERT_TRUE(cursor_.OpenTable("ck"));
  EXPECT_EQ(cursor_.ReadText("no"), "1");  // the first record is current after opening
  ASSERT_TRUE(cursor_.FindRecord("no=3"));
  EXPECT_TRUE(cursor_.FindRecord("no=3"));  // the current record is the first candidate
  EXPECT_EQ(cursor_.ReadText("a"), "a3");
  EXPECT_FALSE(cursor_.FindRecord("no=2"));  // behind: not found, the cursor is at the end
  EXPECT_EQ(cursor_.ReadText("a"), "");
  EXPECT_FALSE(cursor_.FindRecord("no=4"));  // from the end everything fails
  ASSERT_TRUE(cursor_.MoveToFirst());
  EXPECT_TRUE(cursor_.FindRecord("no=2"));
  EXPECT_TRUE(cursor_.FindRecord(" no = 4 "));
  EXPECT_EQ(cursor_.ReadText("b"), "b4");
  EXPECT_TRUE(cursor_.FindRecord("NO=4"));  // field names ignore ASCII case
}

TEST_F(RecordCursorTest, ConditionsThatCannotBeEvaluatedDoNotMove) {
  ASSERT_TRUE(cursor_.OpenTable("ck"));
  ASSERT_TRUE(cursor_.FindRecord("no=2"));
  for (const char* condition : {"id=", "no=", "id=1", "no", "no=x", "no=2x", "a=1", "=2", ""}) {
    EXPECT_FALSE(cursor_.FindRecord(condition)) << condition;
    EXPECT_EQ(cursor_.ReadText("a"), "a2") << condition;
  }
  cursor_.CloseTable();
  EXPECT_FALSE(cursor_.FindRecord("no=1"));
}

TEST_F(RecordCursorTest, ReadsAtTheEndGiveEmptyValues) {
  ASSERT_TRUE(cursor_.OpenTable("th"));
  AddReplacement("x", "y", "z", true);
  ASSERT_TRUE(cursor_.MoveToFirst());
  EXPECT_TRUE(cursor_.ReadBool("d"));
  EXPECT_NE(cursor_.ReadInteger("id"), 0);
  EXPECT_TRUE(cursor_.MoveToNext());   // from the last record to the end
  EXPECT_FALSE(cursor_.MoveToNext());  // at the end nothing changes
  EXPECT_EQ(cursor_.ReadText("a"), "");
  EXPECT_FALSE(cursor_.ReadBool("d"));
  EXPECT_EQ(cursor_.ReadInteger("id"), 0);
  EXPECT_FALSE(cursor_.WriteText("a", "q"));
  EXPECT_FALSE(cursor_.SaveRecord());
  // Missing fields and fields of other types read as empty values too.
  ASSERT_TRUE(cursor_.MoveToFirst());
  EXPECT_EQ(cursor_.ReadText("nosuch"), "");
  EXPECT_EQ(cursor_.ReadInteger("a"), 0);
  EXPECT_FALSE(cursor_.ReadBool("a"));
  EXPECT_FALSE(cursor_.WriteText("nosuch", "q"));
}

TEST_F(RecordCursorTest, AddedRecordsGetUniqueIdsAndJoinAtTheEnd) {
  ASSERT_TRUE(cursor_.OpenTable("th"));
  std::set<std::int32_t> ids;
  for (int i = 0; i < 3; ++i) ids.insert(AddReplacement("a" + std::to_string(i), "b", "", i == 1));
  EXPECT_EQ(ids.size(), 3u);
  EXPECT_EQ(ids.count(0), 0u);
  EXPECT_EQ(cursor_.RecordCount(), 3);
  EXPECT_EQ(Walk("a"), (std::vector<std::string>{"a0", "a1", "a2"}));
  const std::int32_t last = *ids.rbegin();
  ASSERT_TRUE(cursor_.MoveToFirst());
  ASSERT_TRUE(cursor_.FindRecord("id=" + std::to_string(last)));
  EXPECT_EQ(cursor_.ReadText("a"), "a2");
  EXPECT_EQ(Sql(path_, "SELECT a || b || ifnull(c, 'null') || d FROM th WHERE id = " +
                           std::to_string(last)),
            "a2bnull0");
  // Deleted ids are not handed out again.
  ASSERT_TRUE(cursor_.DeleteRecord());
  EXPECT_GT(AddReplacement("a3", "b", "", false), last);
}

TEST_F(RecordCursorTest, MovesStorePendingChanges) {
  ASSERT_TRUE(cursor_.OpenTable("th"));
  AddReplacement("one", "1", "", false);
  AddReplacement("two", "2", "", false);
  ASSERT_TRUE(cursor_.MoveToFirst());
  ASSERT_TRUE(cursor_.WriteBool("d", true));
  EXPECT_TRUE(cursor_.ReadBool("d"));  // the pending value reads back
  EXPECT_EQ(Sql(path_, "SELECT d FROM th WHERE a = 'one'"), "0");
  ASSERT_TRUE(cursor_.MoveToNext());
  EXPECT_EQ(Sql(path_, "SELECT d FROM th WHERE a = 'one'"), "1");
  ASSERT_TRUE(cursor_.WriteText("b", "zwei"));
  EXPECT_FALSE(cursor_.FindRecord("id=999"));  // not found, but stored first
  EXPECT_EQ(Sql(path_, "SELECT b FROM th WHERE a = 'two'"), "zwei");
  ASSERT_TRUE(cursor_.MoveToFirst());
  ASSERT_TRUE(cursor_.WriteText("b", "eins"));
  ASSERT_TRUE(cursor_.MoveToFirst());
  EXPECT_EQ(Sql(path_, "SELECT b FROM th WHERE a = 'one'"), "eins");
}

TEST_F(RecordCursorTest, FailedSaveDiscardsPendingChanges) {
  ASSERT_TRUE(cursor_.OpenTable("th"));
  AddReplacement("one", "1", "", true);
  AddReplacement("two", "2", "", false);
  // d takes 0 or 1 only: the text "yes" breaks the table's check, so storing fails.
  ASSERT_TRUE(cursor_.MoveToFirst());
  ASSERT_TRUE(cursor_.WriteText("a", "uno"));
  ASSERT_TRUE(cursor_.WriteText("d", "yes"));
  EXPECT_FALSE(cursor_.SaveRecord());
  EXPECT_EQ(cursor_.ReadText("a"), "one");
  EXPECT_TRUE(cursor_.ReadBool("d"));
  EXPECT_EQ(Sql(path_, "SELECT group_concat(a) FROM th"), "one,two");

  // A move whose store fails does not move, and the changes are gone.
  ASSERT_TRUE(cursor_.WriteText("a", "uno"));
  ASSERT_TRUE(cursor_.WriteText("d", "yes"));
  EXPECT_FALSE(cursor_.MoveToNext());
  EXPECT_EQ(cursor_.ReadText("a"), "one");
  EXPECT_TRUE(cursor_.SaveRecord());

  // An added record that was never stored leaves the set; the record before is current.
  ASSERT_TRUE(cursor_.MoveToNext());
  ASSERT_EQ(cursor_.ReadText("a"), "two");
  ASSERT_TRUE(cursor_.AddRecord());
  EXPECT_EQ(cursor_.RecordCount(), 3);
  ASSERT_TRUE(cursor_.WriteText("a", "three"));
  ASSERT_TRUE(cursor_.WriteText("d", "yes"));
  EXPECT_FALSE(cursor_.SaveRecord());
  EXPECT_EQ(cursor_.RecordCount(), 2);
  EXPECT_EQ(cursor_.ReadText("a"), "two");
  EXPECT_TRUE(cursor_.MoveToNext());
  EXPECT_FALSE(cursor_.MoveToNext());
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM th"), "2");
}

TEST_F(RecordCursorTest, DeletedRecordStaysCurrentUntilTheCursorMoves) {
  ASSERT_TRUE(cursor_.OpenTable("th"));
  for (const char* a : {"first", "second", "third"}) AddReplacement(a, "b", "", false);
  ASSERT_TRUE(cursor_.MoveToFirst());
  ASSERT_TRUE(cursor_.MoveToNext());
  const std::int32_t second = cursor_.ReadInteger("id");
  ASSERT_TRUE(cursor_.DeleteRecord());
  EXPECT_EQ(cursor_.ReadText("a"), "");
  EXPECT_EQ(cursor_.ReadInteger("id"), 0);
  EXPECT_FALSE(cursor_.WriteText("a", "x"));
  EXPECT_FALSE(cursor_.DeleteRecord());
  EXPECT_EQ(cursor_.RecordCount(), 2);
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM th WHERE id = " + std::to_string(second)), "0");
  EXPECT_EQ(Walk("a"), (std::vector<std::string>{"first", "third"}));
  ASSERT_TRUE(cursor_.MoveToFirst());
  EXPECT_FALSE(cursor_.FindRecord("id=" + std::to_string(second)));
  // The next walk over a reopened table sees the same.
  ASSERT_TRUE(cursor_.OpenTable("th"));
  EXPECT_EQ(Walk("a"), (std::vector<std::string>{"first", "third"}));
}

TEST_F(RecordCursorTest, DeletingAnAddedRecordThatWasNeverStored) {
  ASSERT_TRUE(cursor_.OpenTable("th"));
  ASSERT_TRUE(cursor_.AddRecord());
  ASSERT_TRUE(cursor_.WriteText("a", "draft"));
  ASSERT_TRUE(cursor_.DeleteRecord());
  EXPECT_EQ(cursor_.RecordCount(), 0);
  EXPECT_FALSE(cursor_.MoveToFirst());
  EXPECT_EQ(Sql(path_, "SELECT count(*) FROM th"), "0");
}

TEST_F(RecordCursorTest, EmptyTextStoresNoValue) {
  ASSERT_TRUE(cursor_.OpenTable("th"));
  AddReplacement("a", "b", "http://example.com/", true);
  ASSERT_TRUE(cursor_.WriteText("c", ""));
  ASSERT_TRUE(cursor_.SaveRecord());
  EXPECT_EQ(cursor_.ReadText("c"), "");
  EXPECT_EQ(Sql(path_, "SELECT c IS NULL FROM th"), "1");
  ASSERT_TRUE(cursor_.OpenTable("th"));
  EXPECT_EQ(cursor_.ReadText("c"), "");
}

TEST_F(RecordCursorTest, ReplacementTextsCrossAsCodePage936AndAreStoredAsUtf8) {
  ASSERT_TRUE(cursor_.OpenTable("th"));
  const std::string chinese = Gbk("青禾€文章·改写器《測試》（１２）");
  AddReplacement(chinese, Gbk("链接"), "http://x.cn/?q=1&r=2", true);
  EXPECT_EQ(Sql(path_, "SELECT a FROM th"), "青禾€文章·改写器《測試》（１２）");
  EXPECT_EQ(Sql(path_, "SELECT typeof(a) FROM th"), "text");
  ASSERT_TRUE(cursor_.OpenTable("th"));
  EXPECT_EQ(cursor_.ReadText("a"), chinese);
  EXPECT_EQ(cursor_.ReadText("b"), Gbk("链接"));
  EXPECT_EQ(cursor_.ReadText("c"), "http://x.cn/?q=1&r=2");
}

TEST_F(RecordCursorTest, BytesThatAreNotCodePage936AreKeptAsABlob) {
  ASSERT_TRUE(cursor_.OpenTable("th"));
  const std::string lone_lead = Gbk("中") + "ab\x81";
  AddReplacement(lone_lead, "\xFF", "\x80", false);
  EXPECT_EQ(Sql(path_, "SELECT typeof(a) || typeof(b) || c FROM th"), "blobblob€");
  ASSERT_TRUE(cursor_.OpenTable("th"));
  EXPECT_EQ(cursor_.ReadText("a"), lone_lead);
  EXPECT_EQ(cursor_.ReadText("b"), "\xFF");
  EXPECT_EQ(cursor_.ReadText("c"), "\x80");
}

TEST_F(RecordCursorTest, TextThatCodePage936CannotWriteReadsAsCharacterReferences) {
  Sql(path_, "INSERT INTO th (a, b, d) VALUES ('x😀y', 'b', 1)");
  ASSERT_TRUE(cursor_.OpenTable("th"));
  EXPECT_EQ(cursor_.ReadText("a"), "x&#128512;y");
}

TEST_F(RecordCursorTest, WordsComeBackByteForByte) {
  std::vector<StoredWordPair> pairs;
  std::string all_bytes;
  for (int byte = 1; byte <= 0xFF; ++byte) all_bytes.push_back(static_cast<char>(byte));
  pairs.push_back({all_bytes, "\x80\x81\x40\x81\x7E"});
  pairs.push_back({"\xFE\xFE\x81", "\x1E"});
  WriteDatabase(pairs, dir_ + "/words.mdb");
  ASSERT_TRUE(connection_.ConnectDatabase(dir_ + "/words.mdb", kDatabasePassword));
  ASSERT_TRUE(cursor_.OpenTable("ck"));
  EXPECT_EQ(Sql(dir_ + "/words.mdb", "SELECT typeof(a) FROM ck"), "blob");
  EXPECT_EQ(cursor_.RecordCount(), 2);
  for (int i = 1; i <= 2; ++i) {
    ASSERT_TRUE(cursor_.FindRecord("no=" + std::to_string(i)));
    EXPECT_EQ(cursor_.ReadText("a"), pairs[i - 1].first);
    EXPECT_EQ(cursor_.ReadText("b"), pairs[i - 1].second);
  }
}

TEST_F(RecordCursorTest, ChangesByOthersAreNotSeen) {
  ASSERT_TRUE(cursor_.OpenTable("ck"));
  Sql(path_, "INSERT INTO ck (no, a, b) VALUES (5, x'61', x'62')");
  Sql(path_, "UPDATE ck SET a = x'7a' WHERE no = 1");
  EXPECT_EQ(cursor_.RecordCount(), 4);
  EXPECT_EQ(cursor_.ReadText("a"), "a1");
  EXPECT_FALSE(cursor_.FindRecord("no=5"));
  ASSERT_TRUE(cursor_.OpenTable("ck"));
  EXPECT_EQ(cursor_.RecordCount(), 5);
  EXPECT_EQ(cursor_.ReadText("a"), "z");
}

TEST_F(RecordCursorTest, StoredOrderIsRowOrder) {
  // Rows numbered 1, 3, 2 in stored order: the forward walk finds 1 and 2, then fails.
  Sql(path_, "DELETE FROM ck");
  for (const char* no : {"1", "3", "2"}) {
    Sql(path_, std::string("INSERT INTO ck (no, a, b) VALUES (") + no + ", x'61', x'62')");
  }
  ASSERT_TRUE(cursor_.OpenTable("ck"));
  ASSERT_TRUE(cursor_.MoveToFirst());
  EXPECT_TRUE(cursor_.FindRecord("no=1"));
  EXPECT_TRUE(cursor_.FindRecord("no=2"));
  EXPECT_FALSE(cursor_.FindRecord("no=3"));
}

}  // namespace
}  // namespace qinghe
