// For tests: the code page 936 bytes of a UTF-8 literal, so that test tables can be
// written in readable Chinese.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "cp936.h"

namespace qinghe {

inline std::string Gbk(std::string_view utf8) {
  std::optional<std::string> gbk = Utf8ToGbk(utf8);
  if (!gbk) throw std::invalid_argument("not writable in code page 936");
  return *gbk;
}

}  // namespace qinghe
