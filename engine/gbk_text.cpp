#include "gbk_text.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace qinghe {
namespace {

bool IsAsciiLetter(unsigned char b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }
unsigned char FoldAscii(unsigned char b) {
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}

// Applies `change` to every single-byte character of the text.
template <typename Change>
GbkText MapSingleByteChars(std::string_view text, Change change) {
  GbkText out(text);
  std::size_t pos = 0;
  while (pos < out.size()) {
    std::size_t len = CharLengthAt(out, pos);
    if (len == 0) break;
    if (len == 1) out[pos] = static_cast<char>(change(static_cast<unsigned char>(out[pos])));
    pos += len;
  }
  return out;
}

}  // namespace

bool MatchesAt(std::string_view text, std::size_t pos, std::string_view find, CaseRule rule) {
  const std::size_t k = find.size();
  if (rule == CaseRule::kExact) return text.compare(pos, k, find) == 0;
  std::size_t j = 0;
  while (j < k) {
    const auto f = static_cast<unsigned char>(find[j]);
    const auto t = static_cast<unsigned char>(text[pos + j]);
    if (IsLeadByte(f) && j + 1 < k) {
      if (f != t || find[j + 1] != text[pos + j + 1]) return false;
      j += 2;
      continue;
    }
    if (f != t && !(IsAsciiLetter(f) && FoldAscii(f) == FoldAscii(t))) return false;
    ++j;
  }
  return true;
}

GbkText ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                   CaseRule rule) {
  if (text.empty() || find.empty()) return GbkText(text);
  GbkText out;
  out.reserve(text.size());
  const std::size_t k = find.size();
  std::size_t pos = 0;
  while (text.size() - pos >= k) {
    const std::size_t len = CharLengthAt(text, pos);
    if (len == 0) break;  // a final lone lead byte is never part of a match
    if (MatchesAt(text, pos, find, rule)) {
      out.append(replacement);
      pos += k;
      continue;
    }
    out.append(text.substr(pos, len));
    pos += len;
  }
  out.append(text.substr(pos));
  return out;
}

TextList SplitText(std::string_view text, std::string_view delimiter) {
  TextList items;
  if (text.empty()) return items;
  if (delimiter.empty()) {
    items.emplace_back(text);
    return items;
  }
  const std::size_t k = delimiter.size();
  std::size_t piece = 0;
  std::size_t pos = 0;
  while (text.size() - pos >= k) {
    const std::size_t len = CharLengthAt(text, pos);
    if (len == 0) break;
    if (MatchesAt(text, pos, delimiter, CaseRule::kExact)) {
      items.emplace_back(text.substr(piece, pos - piece));
      pos += k;
      piece = pos;
      continue;
    }
    pos += len;
  }
  if (piece < text.size()) items.emplace_back(text.substr(piece));
  return items;
}

int FindText(std::string_view text, std::string_view find, int start, CaseRule rule) {
  const std::size_t begin = static_cast<std::size_t>(std::max(start, 1)) - 1;
  if (begin >= text.size()) return -1;
  if (find.empty()) return 1;
  const std::size_t k = find.size();
  std::size_t pos = begin;
  while (text.size() - pos >= k) {
    const std::size_t len = CharLengthAt(text, pos);
    if (len == 0) break;
    if (MatchesAt(text, pos, find, rule)) return static_cast<int>(pos + 1);
    pos += len;
  }
  return -1;
}

GbkText LeftBytes(std::string_view text, int n) {
  if (n <= 0) return {};
  return GbkText(text.substr(0, static_cast<std::size_t>(n)));
}

GbkText RightBytes(std::string_view text, int n) {
  if (n <= 0) return {};
  const std::size_t count = std::min(static_cast<std::size_t>(n), text.size());
  return GbkText(text.substr(text.size() - count));
}

GbkText MidBytes(std::string_view text, int start, int n) {
  if (start < 1 || static_cast<std::size_t>(start) > text.size() || n <= 0) return {};
  return GbkText(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}

GbkText ReplaceRange(std::string_view text, int start, int n, std::string_view insertion) {
  const auto length = static_cast<long long>(text.size());
  const long long p = std::clamp<long long>(start, 1, length + 1);
  const long long removed = std::min<long long>(std::max(n, 0), length - p + 1);
  GbkText out(text.substr(0, static_cast<std::size_t>(p - 1)));
  out.append(insertion);
  out.append(text.substr(static_cast<std::size_t>(p - 1 + removed)));
  return out;
}

int ByteLength(std::string_view text) { return static_cast<int>(text.size()); }

GbkText ConcatText(std::initializer_list<std::string_view> parts) {
  GbkText out;
  for (std::string_view part : parts) out.append(part);
  return out;
}

bool TextEquals(std::string_view a, std::string_view b) { return a == b; }

int CompareText(std::string_view a, std::string_view b, CaseRule rule) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    if (rule == CaseRule::kIgnoreAsciiCase) {
      x = FoldAscii(x);
      y = FoldAscii(y);
    }
    if (x != y) return x < y ? -1 : 1;
    // The trail byte of a double-byte character is compared exactly.
    if (IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < n) {
      ++i;
      if (a[i] != b[i])
        return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
    }
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

GbkText AsciiUpper(std::string_view text) {
  return MapSingleByteChars(text, [](unsigned char b) {
    return (b >= 'a' && b <= 'z') ? static_cast<unsigned char>(b - ('a' - 'A')) : b;
  });
}

GbkText AsciiLower(std::string_view text) { return MapSingleByteChars(text, FoldAscii); }

GbkText IntToText(std::int32_t value) { return std::to_string(value); }

GbkText CharFromCode(int code) {
  const auto low = static_cast<unsigned char>(code & 0xFF);
  if (low == 0) return {};
  return GbkText(1, static_cast<char>(low));
}

GbkText SpaceText(int n) { return n < 1 ? GbkText() : GbkText(static_cast<std::size_t>(n), ' '); }

double ParseNumber(std::string_view text) {
  std::string ascii;
  ascii.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t len = CharLengthAt(text, pos);
    if (len == 2) {
      const auto lead = static_cast<unsigned char>(text[pos]);
      const auto trail = static_cast<unsigned char>(text[pos + 1]);
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        ascii.push_back(static_cast<char>(trail - 0x80));
      } else if (lead == 0xA1 && trail == 0xA1) {
        ascii.push_back(' ');
      } else if (lead == 0xA1 && trail == 0xAB) {
        ascii.push_back('~');
      } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
        ascii.push_back('*');
      } else {
        ascii.append(text.substr(pos, 2));
      }
      pos += 2;
      continue;
    }
    ascii.append(text.substr(pos, len == 0 ? 1 : len));
    pos += len == 0 ? 1 : len;
  }
  // strtod reads hexadecimal and "inf"/"nan" as well; only the decimal form counts here.
  std::size_t i = 0;
  while (i < ascii.size() && (ascii[i] == ' ' || (ascii[i] >= '\t' && ascii[i] <= '\r'))) ++i;
  std::size_t j = i;
  if (j < ascii.size() && (ascii[j] == '+' || ascii[j] == '-')) ++j;
  const auto is_digit = [&](std::size_t at) {
    return at < ascii.size() && ascii[at] >= '0' && ascii[at] <= '9';
  };
  std::size_t digits = 0;
  while (is_digit(j)) ++j, ++digits;
  if (j < ascii.size() && ascii[j] == '.') {
    ++j;
    while (is_digit(j)) ++j, ++digits;
  }
  if (digits == 0) return 0.0;
  if (j < ascii.size() && (ascii[j] == 'e' || ascii[j] == 'E')) {
    std::size_t e = j + 1;
    if (e < ascii.size() && (ascii[e] == '+' || ascii[e] == '-')) ++e;
    if (is_digit(e)) {
      while (is_digit(e)) ++e;
      j = e;
    }
  }
  return std::strtod(ascii.substr(i, j - i).c_str(), nullptr);
}

float ParseFloat(std::string_view text) { return static_cast<float>(ParseNumber(text)); }

ByteSeq ToBytes(std::string_view text) { return ByteSeq(text); }

GbkText BytesToText(std::string_view bytes) {
  return GbkText(bytes.substr(0, std::min(bytes.find('\0'), bytes.size())));
}

ByteSeq ZeroBytes(int n) { return n <= 0 ? ByteSeq() : ByteSeq(static_cast<std::size_t>(n), '\0'); }

ByteSeq BytesPrefix(std::string_view bytes, int n) {
  if (n < 0) return {};
  return ByteSeq(bytes.substr(0, static_cast<std::size_t>(n)));
}

ByteSeq ConcatBytes(std::initializer_list<std::string_view> parts) {
  ByteSeq out;
  for (std::string_view part : parts) out.append(part);
  return out;
}

double IntegerDivide(double dividend, double divisor) {
  if (divisor == 0) {
    std::fputs("\xB2\xBB\xC4\xDC\xD5\xFB\xB3\xFD\xD3\xDA\xC1\xE3\n", stderr);  // 不能整除于零
    std::abort();
  }
  return std::trunc(dividend / divisor);
}

namespace {

struct RandomState {
  std::mt19937 generator{0};
  std::uint32_t reseed_counter = 0;
  std::function<std::uint32_t()> tick_source;
};

RandomState& Random() {
  static RandomState state;
  return state;
}

std::uint32_t SteadyTickCount() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

struct PendingEvents {
  std::function<void()> hook;
  std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
  unsigned calls = 0;
};

PendingEvents& Pending() {
  static PendingEvents state;
  return state;
}

}  // namespace

void SeedRandom() {
  RandomState& state = Random();
  const std::uint32_t t = state.tick_source ? state.tick_source() : SteadyTickCount();
  const std::uint32_t seed = t + state.reseed_counter;
  state.generator.seed(seed);
  state.reseed_counter += (seed % 256) + 100;
}

std::int32_t RandomInRange(std::int32_t lower, std::int32_t upper) {
  lower = std::max(lower, 0);
  upper = std::max(upper, 0);
  if (lower > upper) std::swap(lower, upper);
  if (lower == upper) return lower;
  const std::uint32_t span = static_cast<std::uint32_t>(upper - lower) + 1;
  const auto r = static_cast<std::uint32_t>(Random().generator());
  return lower + static_cast<std::int32_t>(r % span);
}

void SetTickSource(std::function<std::uint32_t()> source) {
  Random().tick_source = std::move(source);
  Random().reseed_counter = 0;
}

void SetPendingEventsHook(std::function<void()> hook) { Pending().hook = std::move(hook); }

void ProcessPendingEvents() {
  PendingEvents& state = Pending();
  state.last = std::chrono::steady_clock::now();
  if (state.hook) state.hook();
}

void ProcessPendingEventsThrottled() {
  PendingEvents& state = Pending();
  if (!state.hook || (++state.calls & 0xF) != 0) return;
  if (std::chrono::steady_clock::now() - state.last >= std::chrono::milliseconds(20)) {
    ProcessPendingEvents();
  }
}

}  // namespace qinghe
