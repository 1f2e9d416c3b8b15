// Conversion between UTF-8 and code page 936 (GBK with the euro sign at 0x80), through
// the C library's iconv. The rewriting engine works on code page 936 bytes; windows,
// files of other tools and the database's text columns speak Unicode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qinghe {

// Code page 936 bytes of a UTF-8 text, or nothing when the text holds a character that
// code page 936 cannot write (or is not valid UTF-8).
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// As Utf8ToGbk, but each character that code page 936 cannot write becomes an HTML
// numeric character reference (U+1F600 becomes "&#128512;"), so nothing is lost when the
// text is shown as HTML again. Bytes that are not valid UTF-8 become U+FFFD's reference.
std::string Utf8ToGbkWithReferences(std::string_view utf8);

// UTF-8 of code page 936 bytes, or nothing when they are not valid code page 936.
std::optional<std::string> GbkToUtf8(std::string_view gbk);

// As GbkToUtf8, but a byte that does not start a valid character becomes U+FFFD.
std::string GbkToUtf8Lossy(std::string_view gbk);

}  // namespace qinghe
