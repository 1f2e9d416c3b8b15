#include "script_convert.h"

#include "convert_tables.h"

namespace qinghe {

GbkText ConvertScript(std::string_view text, int mode) {
  GbkText result(text);
  const ConversionTable* table = mode == 3   ? &kTraditionalToSimplified
                                 : mode == 4 ? &kSimplifiedToTraditional
                                             : nullptr;
  if (table == nullptr) return result;
  for (std::size_t pos = 0; pos < result.size();) {
    const std::size_t length = CharLengthAt(result, pos);
    if (length == 0) break;  // a lead byte without its trail byte ends the text
    if (length == 2) {
      const auto offset = ConversionTableOffset(static_cast<unsigned char>(result[pos]),
                                                static_cast<unsigned char>(result[pos + 1]));
      if (offset) {
        result[pos] = static_cast<char>((*table)[*offset]);
        result[pos + 1] = static_cast<char>((*table)[*offset + 1]);
      }
    }
    pos += length;
  }
  return result;
}

}  // namespace qinghe
