// Text, byte and number operations on code page 936 byte strings.
//
// Every stage of the rewrite cuts, searches, replaces and converts text with these
// operations, so that all of them agree on the rules: lengths and positions count bytes,
// positions are 1-based, a search that finds nothing gives -1, scanning operations walk
// the text character by character (a match never starts on a trail byte), matching that
// ignores case folds ASCII letters only, and out-of-range positions are clamped instead
// of failing. No operation changes its arguments.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qinghe {

// A byte string in code page 936 without zero bytes. Absent and empty are the same value.
using GbkText = std::string;
// A byte sequence that may hold zero bytes (file contents, scrambled data).
using ByteSeq = std::string;
// The result of SplitText; items may be empty.
using TextList = std::vector<GbkText>;

enum class CaseRule { kExact, kIgnoreAsciiCase };

// True for a byte that starts a double-byte character (0x81..0xFE). 0x80 (the euro sign)
// and 0xFF are characters of one byte.
constexpr bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Length in bytes of the character that starts at `pos`: 1 or 2. A lead byte that is the
// last byte of `text` has no trail byte; the walk stops there and the result is 0.
inline std::size_t CharLengthAt(std::string_view text, std::size_t pos) {
  if (!IsLeadByte(static_cast<unsigned char>(text[pos]))) return 1;
  return pos + 1 < text.size() ? 2 : 0;
}

// True when the `find.size()` bytes of `text` at `pos` equal `find` under `rule`. Under
// kIgnoreAsciiCase a single-byte ASCII letter of `find` (by find's own character walk)
// also matches the other case; every other byte must be equal. The caller guarantees
// that enough bytes remain.
bool MatchesAt(std::string_view text, std::size_t pos, std::string_view find, CaseRule rule);

GbkText ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                   CaseRule rule);
TextList SplitText(std::string_view text, std::string_view delimiter);
int FindText(std::string_view text, std::string_view find, int start = 1,
             CaseRule rule = CaseRule::kIgnoreAsciiCase);
GbkText LeftBytes(std::string_view text, int n);
GbkText RightBytes(std::string_view text, int n);
GbkText MidBytes(std::string_view text, int start, int n);
GbkText ReplaceRange(std::string_view text, int start, int n, std::string_view insertion = {});
int ByteLength(std::string_view text);
GbkText ConcatText(std::initializer_list<std::string_view> parts);
bool TextEquals(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b, CaseRule rule);
GbkText AsciiUpper(std::string_view text);
GbkText AsciiLower(std::string_view text);
GbkText IntToText(std::int32_t value);
GbkText CharFromCode(int code);
GbkText SpaceText(int n);
// Reads the number at the start of the text after mapping full-width ASCII forms to
// ASCII; a text that does not start with a number gives 0.
double ParseNumber(std::string_view text);
float ParseFloat(std::string_view text);

ByteSeq ToBytes(std::string_view text);
// The bytes before the first zero byte.
GbkText BytesToText(std::string_view bytes);
ByteSeq ZeroBytes(int n);
ByteSeq BytesPrefix(std::string_view bytes, int n);
ByteSeq ConcatBytes(std::initializer_list<std::string_view> parts);

// The quotient truncated toward zero, as a real. A zero divisor is a fatal error: the
// message "不能整除于零" (code page 936) goes to standard error and the program aborts.
double IntegerDivide(double dividend, double divisor);

// Reseeds the program's generator from the millisecond tick count plus a reseed counter,
// so that two reseeds within one millisecond still differ.
void SeedRandom();
// A pseudo-random integer in [lower, upper], both included; negative bounds count as 0
// and swapped bounds are exchanged. Equal bounds give that value without a draw.
std::int32_t RandomInRange(std::int32_t lower, std::int32_t upper);
// Replaces the millisecond tick count that SeedRandom reads (the default reads a steady
// clock). A fixed source makes every later shuffle reproducible. Also resets the counter.
void SetTickSource(std::function<std::uint32_t()> source);

// Lets the user interface handle its waiting events during long work. The window layer
// installs the hook; without one, the call does nothing.
void SetPendingEventsHook(std::function<void()> hook);
void ProcessPendingEvents();
// Calls ProcessPendingEvents when at least 20 ms have passed since the last call; it reads
// the clock on every 16th call only, so it is cheap enough to call per word or per row.
void ProcessPendingEventsThrottled();

}  // namespace qinghe
