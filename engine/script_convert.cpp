#include "script_convert.h"

namespace qinghe {

GbkText ConvertScript(std::string_view text, int /*mode*/) { return GbkText(text); }

}  // namespace qinghe
