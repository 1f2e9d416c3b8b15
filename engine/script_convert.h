// Conversion between simplified and traditional Chinese script.
#pragma once

#include <string_view>

#include "gbk_text.h"

namespace qinghe {

// Mode 3 converts traditional characters to simplified ones, mode 4 simplified to
// traditional. Each double-byte character is replaced through a constant table of the
// mode; the result always has the byte length of the input. Converting a converted text
// again in the same mode changes nothing. Bytes below 0x81 and 0xFF (0x80 is the euro
// sign) are characters of one byte and stay; a lead byte followed by a byte that is no
// trail byte (0x7F, below 0x40, 0xFF) stays with that byte, and a final lead byte stays.
// Any other mode returns the text unchanged.
GbkText ConvertScript(std::string_view text, int mode);

}  // namespace qinghe
