// The connection, the password verifier and the making of database files.
#include <filesystem>

#include "sha256.h"
#include "store_test_util.h"

namespace qinghe {
namespace {

TEST(ConnectionStringTest, HasThePasswordPartOnlyWithAPassword) {
  EXPECT_EQ(BuildConnectionString("/opt/qh/rizevor.mdb", "836251904"),
            "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=/opt/qh/rizevor.mdb;Jet "
            "OLEDB:Database Password=836251904;");
  EXPECT_EQ(BuildConnectionString("/opt/qh/rizevor.mdb", ""),
            "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=/opt/qh/rizevor.mdb");
}

TEST(ConnectionStringTest, ParsesBackWhatWasBuilt) {
  const std::vector<ConnectionTarget> targets = {
      {"/opt/qh/rizevor.mdb", "836251904"},
      {"/tmp/a;b=c/rizevor.mdb", "836251904"},
      {"/tmp/x;Jet OLEDB:Database Password=1;/rizevor.mdb", "pass;word"},
      {"/tmp/plain.mdb", ""},
      {"", ""},
  };
  for (const ConnectionTarget& target : targets) {
    const auto parsed = ParseConnectionString(BuildConnectionString(target.path, target.password));
    ASSERT_TRUE(parsed) << target.path;
    EXPECT_EQ(parsed->path, target.path);
    EXPECT_EQ(parsed->password, target.password) << target.path;
  }
  EXPECT_FALSE(ParseConnectionString("Data Source=/x.mdb"));
}

TEST(Sha256Test, MatchesPublishedDigests) {
  EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

using DatabaseConnectionTest = StoreFileTest;

TEST_F(DatabaseConnectionTest, ConnectsWithThePasswordOfTheBuild) {
  WriteDatabase({}, path_);
  DatabaseConnection connection;
  EXPECT_FALSE(connection.IsOpen());
  ASSERT_TRUE(connection.ConnectDatabase(path_, kDatabasePassword)) << connection.LastError();
  EXPECT_TRUE(connection.IsOpen());
  EXPECT_EQ(connection.ConnectionString(), BuildConnectionString(path_, kDatabasePassword));
  EXPECT_EQ(connection.LastError(), "");
  // The verifier is a salted SHA-256 that other tools can compute.
  const std::string salt = Sql(path_, "SELECT salt FROM qinghe_password");
  EXPECT_EQ(salt.size(), 32u);
  EXPECT_EQ(Sql(path_, "SELECT sha256 FROM qinghe_password"), Sha256Hex(salt + kDatabasePassword));
}

TEST_F(DatabaseConnectionTest, RefusesWhatItCannotOpen) {
  WriteDatabase({}, path_);
  std::ofstream(dir_ + "/text.mdb") << "This is not a database file, just some text.\n";
  std::ofstream(dir_ + "/empty.mdb");
  Sql(dir_ + "/other.mdb", "CREATE TABLE ck (no INTEGER, a BLOB, b BLOB)");  // made by sqlite
  struct Case {
    std::string path, password, error;
  };
  const std::vector<Case> cases = {
      {path_, "123456789", "wrong password"},
      {path_, "", "wrong password"},
      {dir_ + "/missing.mdb", kDatabasePassword, "unable to open"},
      {dir_ + "/text.mdb", kDatabasePassword, "not a database"},
      {dir_ + "/empty.mdb", kDatabasePassword, "not a database of this program"},
      {dir_ + "/other.mdb", kDatabasePassword, "not a database of this program"},
      {dir_, kDatabasePassword, "unable to open"},
  };
  for (const Case& c : cases) {
    DatabaseConnection connection;
    ASSERT_TRUE(connection.ConnectDatabase(path_, kDatabasePassword));
    EXPECT_FALSE(connection.ConnectDatabase(c.path, c.password)) << c.path;
    EXPECT_FALSE(connection.IsOpen()) << c.path;  // the earlier connection was closed
    EXPECT_NE(connection.LastError().find(c.error), std::string::npos)
        << c.path << ": " << connection.LastError();
  }
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/missing.mdb"));
}

TEST_F(DatabaseConnectionTest, RefusesAFileThatAnotherConnectionHoldsLocked) {
  WriteDatabase({{"a", "b"}}, path_);
  DatabaseConnection early;
  ASSERT_TRUE(early.ConnectDatabase(path_, kDatabasePassword));
  RecordCursor cursor;
  cursor.AttachCursor(early);
  std::vector<std::string> messages;
  SetStoreMessageHook([&](const std::string& text) { messages.push_back(text); });

  sqlite3* holder = nullptr;
  ASSERT_EQ(sqlite3_open(path_.c_str(), &holder), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  DatabaseConnection connection;
  EXPECT_FALSE(connection.ConnectDatabase(path_, kDatabasePassword));
  EXPECT_NE(connection.LastError().find("locked"), std::string::npos) << connection.LastError();
  EXPECT_FALSE(cursor.OpenTable("ck"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("locked"), std::string::npos) << messages[0];
  sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(holder);

  EXPECT_TRUE(connection.ConnectDatabase(path_, kDatabasePassword)) << connection.LastError();
  EXPECT_TRUE(cursor.OpenTable("ck"));
  SetStoreMessageHook(nullptr);
}

TEST_F(DatabaseConnectionTest, NewFileKeepsTheReplacementsOfTheOldOne) {
  WriteDatabase({{"a", "b"}}, path_);
  {
    DatabaseConnection connection;
    ASSERT_TRUE(connection.ConnectDatabase(path_, kDatabasePassword));
    RecordCursor cursor;
    cursor.AttachCursor(connection);
    ASSERT_TRUE(cursor.OpenTable("th"));
    for (const char* a : {"one", "two", "three"}) {
      ASSERT_TRUE(cursor.AddRecord());
      ASSERT_TRUE(cursor.WriteText("a", a));
      ASSERT_TRUE(cursor.WriteBool("d", true));
      ASSERT_TRUE(cursor.SaveRecord());
    }
    ASSERT_TRUE(cursor.DeleteRecord());  // id 3 has been handed out: it must stay used
  }
  Sql(path_, "UPDATE th SET b = x'ff81' WHERE id = 2");  // a blob survives as a blob

  std::string error;
  const std::optional<ByteSeq> image =
      BuildDatabaseImage({{"x", "y"}, {"z", "w"}}, kDatabasePassword, path_, error);
  ASSERT_TRUE(image) << error;
  const std::string rebuilt = dir_ + "/rebuilt.mdb";
  std::ofstream(rebuilt, std::ios::binary) << *image;
  EXPECT_EQ(Sql(rebuilt, "SELECT group_concat(id || a || d || typeof(b), ' ') FROM th"),
            "1one1null 2two1blob");
  EXPECT_EQ(Sql(rebuilt, "SELECT hex(b) FROM th WHERE id = 2"), "FF81");
  EXPECT_EQ(Sql(rebuilt, "SELECT group_concat(no || a || b) FROM ck"), "1xy,2zw");
  Sql(rebuilt, "INSERT INTO th (a) VALUES ('four')");
  EXPECT_EQ(Sql(rebuilt, "SELECT id FROM th WHERE a = 'four'"), "4");

  // An old file that cannot be read stops the build instead of losing its list.
  EXPECT_FALSE(BuildDatabaseImage({}, "000000000", path_, error));
  EXPECT_NE(error.find("wrong password"), std::string::npos) << error;
  EXPECT_FALSE(BuildDatabaseImage({}, kDatabasePassword, dir_ + "/missing.mdb", error));
}

}  // namespace
}  // namespace qinghe
