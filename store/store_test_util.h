// For the store's tests: a fresh directory per test, and direct SQL on a database file
// beside the connection under test, to check what was really stored.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "database.h"
#include "database_file.h"
#include "temp_dir_test.h"

namespace qinghe {

class StoreFileTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    path_ = dir_ + "/" + kDatabaseFileName;
  }

  // Writes a database file with `pairs` in ck (as stored) and an empty th.
  void WriteDatabase(const std::vector<StoredWordPair>& pairs, const std::string& path) {
    std::string error;
    const std::optional<ByteSeq> image = BuildDatabaseImage(pairs, kDatabasePassword, "", error);
    ASSERT_TRUE(image) << error;
    std::ofstream(path, std::ios::binary) << *image;
  }

  // Runs `sql` on the file through a connection of its own; the first column of the first
  // row as text ("NULL" for no value, "" without rows).
  static std::string Sql(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
        SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    std::string result;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql;
    } else if (sqlite3_step(statement) == SQLITE_ROW) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
      result = text
                   ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, 0)))
                   : "NULL";
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
  }

  std::string path_;
};

}  // namespace qinghe
