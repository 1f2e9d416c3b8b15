// Making database files of the program: the tables "ck" and "th" and the password
// verifier, as the bytes of a complete SQLite file (schema in docs/database.md).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gbk_text.h"

namespace qinghe {

// One row of "ck": the two words as stored, that is scrambled.
using StoredWordPair = std::pair<ByteSeq, ByteSeq>;

// The bytes of a new database file protected by `password`: "ck" holds `pairs` with
// no = 1, 2, ... in this order (which is their stored order); "th" is empty, or holds a
// copy of the "th" records of the existing database file `keep_replacements_from` (opened
// read-only with `password`; its ids are kept and not handed out again) when that is not
// empty. Nothing, with `error` set, when that file cannot be read.
std::optional<ByteSeq> BuildDatabaseImage(const std::vector<StoredWordPair>& pairs,
                                          const std::string& password,
                                          const std::string& keep_replacements_from,
                                          std::string& error);

}  // namespace qinghe
