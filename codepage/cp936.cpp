#include "cp936.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace qinghe {
namespace {

// One iconv descriptor for one call; iconv descriptors are not shared between threads.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `in` as possible, appending to `out`. Returns the number of input
  // bytes consumed; stops at the first sequence that cannot be converted.
  std::size_t Convert(std::string_view in, std::string& out) {
    char* src = const_cast<char*>(in.data());
    std::size_t src_left = in.size();
    char buffer[4096];
    while (src_left > 0) {
      char* dst = buffer;
      std::size_t dst_left = sizeof buffer;
      const std::size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) break;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return in.size() - src_left;
  }

 private:
  iconv_t cd_;
};

// Decodes the UTF-8 code point at the start of `in`; returns its length (at least 1) and
// U+FFFD for a byte that does not start a valid sequence.
std::size_t DecodeUtf8(std::string_view in, std::uint32_t& code_point) {
  const auto b0 = static_cast<unsigned char>(in[0]);
  std::size_t len = b0 < 0x80           ? 1
                    : (b0 >> 5) == 0x6  ? 2
                    : (b0 >> 4) == 0xE  ? 3
                    : (b0 >> 3) == 0x1E ? 4
                                        : 0;
  if (len == 0 || len > in.size()) {
    code_point = 0xFFFD;
    return 1;
  }
  std::uint32_t cp = len == 1 ? b0 : b0 & (0x7F >> len);
  for (std::size_t i = 1; i < len; ++i) {
    const auto b = static_cast<unsigned char>(in[i]);
    if ((b & 0xC0) != 0x80) {
      code_point = 0xFFFD;
      return 1;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  code_point = cp;
  return len;
}

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  Converter to_gbk("CP936", "UTF-8");
  std::string out;
  if (!to_gbk.ok() || to_gbk.Convert(utf8, out) != utf8.size()) return std::nullopt;
  return out;
}

std::string Utf8ToGbkWithReferences(std::string_view utf8) {
  Converter to_gbk("CP936", "UTF-8");
  std::string out;
  if (!to_gbk.ok()) return out;
  while (!utf8.empty()) {
    utf8.remove_prefix(to_gbk.Convert(utf8, out));
    if (utf8.empty()) break;
    std::uint32_t code_point = 0;
    utf8.remove_prefix(DecodeUtf8(utf8, code_point));
    out += "&#" + std::to_string(code_point) + ";";
  }
  return out;
}

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
  Converter to_utf8("UTF-8", "CP936");
  std::string out;
  if (!to_utf8.ok() || to_utf8.Convert(gbk, out) != gbk.size()) return std::nullopt;
  return out;
}

std::string GbkToUtf8Lossy(std::string_view gbk) {
  Converter to_utf8("UTF-8", "CP936");
  std::string out;
  if (!to_utf8.ok()) return out;
  while (!gbk.empty()) {
    gbk.remove_prefix(to_utf8.Convert(gbk, out));
    if (gbk.empty()) break;
    out += "\xEF\xBF\xBD";
    gbk.remove_prefix(1);
  }
  return out;
}

}  // namespace qinghe
