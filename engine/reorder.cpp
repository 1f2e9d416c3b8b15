#include "reorder.h"

namespace qinghe {
namespace {

constexpr std::string_view kBreak = "<BR>";
constexpr std::string_view kFullStop = "\xA1\xA3";  // 。
constexpr std::string_view kCrLf = "\r\n";

std::vector<std::int32_t>& MutableRandomOrder() {
  static std::vector<std::int32_t> order;
  return order;
}

}  // namespace

const std::vector<std::int32_t>& RandomOrder() { return MutableRandomOrder(); }

GbkText NormalizeBreaks(std::string_view text, bool reverse_paragraphs) {
  GbkText normalized = ReplaceAll(text, "<br>", kBreak, CaseRule::kExact);
  normalized = ReplaceAll(normalized, kCrLf, kBreak, CaseRule::kExact);
  if (!reverse_paragraphs) return normalized;
  const TextList pieces = SplitText(normalized, kBreak);
  GbkText reversed;
  reversed.reserve(normalized.size() + kBreak.size());
  for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
    reversed.append(*piece);
    reversed.append(kBreak);
  }
  // A text without any piece (the empty text) gives the empty text.
  return reversed;
}

void FillRandomOrder(std::int32_t n) {
  std::vector<std::int32_t>& order = MutableRandomOrder();
  order.assign(static_cast<std::size_t>(n), 0);
  std::vector<std::int32_t> pool;
  pool.reserve(static_cast<std::size_t>(n));
  for (std::int32_t i = 1; i <= n; ++i) pool.push_back(i);
  SeedRandom();
  for (std::int32_t j = 1; j <= n; ++j) {
    const std::int32_t r = RandomInRange(1, n + 1 - j);
    const auto at = pool.begin() + (r - 1);
    order[static_cast<std::size_t>(j - 1)] = *at;
    pool.erase(at);
  }
}

GbkText ShuffleSentences(std::string_view text) {
  const TextList sentences = SplitText(text, kFullStop);
  FillRandomOrder(static_cast<std::int32_t>(sentences.size()));
  GbkText out;
  out.reserve(text.size() + sentences.size() * (kFullStop.size() + kCrLf.size()));
  for (std::int32_t number : RandomOrder()) {
    out.append(sentences[static_cast<std::size_t>(number - 1)]);
    out.append(kFullStop);
    out.append(kCrLf);
  }
  return out;
}

}  // namespace qinghe
