// Conversion between simplified and traditional Chinese script.
#pragma once

#include <string_view>

#include "gbk_text.h"

namespace qinghe {

// Mode 3 converts traditional characters to simplified ones, mode 4 simplified to
// traditional. Each double-byte character is replaced through a constant table of the
// mode; the result always has the byte length of the input. Converting a converted text
// again in the same mode changes nothing. Any other mode returns the text unchanged.
GbkText ConvertScript(std::string_view text, int mode);

}  // namespace qinghe
