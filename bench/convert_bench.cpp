// Script conversion throughput on a realistic article of about 1 MB: sentences of the
// sample article in random order, wrapped in paragraphs, links, emphasis and line breaks.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "cp936.h"
#include "gbk_text.h"
#include "script_convert.h"

namespace qinghe {
namespace {

// The sentences (up to and including "。") of the sample article, in code page 936.
std::vector<std::string> SampleSentences() {
  std::ifstream in(QINGHE_SOURCE_DIR "/assets/sample_article.html", std::ios::binary);
  const std::string html{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string text = Utf8ToGbk(ReplaceAll(ReplaceAll(html, "<p>", "", CaseRule::kExact),
                                                "</p>\n", "", CaseRule::kExact))
                               .value_or("");
  std::vector<std::string> sentences;
  for (const GbkText& item : SplitText(text, *Utf8ToGbk("。"))) {
    if (!item.empty()) sentences.push_back(item + *Utf8ToGbk("。"));
  }
  return sentences;
}

std::string Article(std::size_t bytes) {
  const std::vector<std::string> sentences = SampleSentences();
  std::mt19937 random(3);
  std::uniform_int_distribution<std::size_t> pick(0, sentences.size() - 1);
  std::uniform_int_distribution<int> markup(0, 9);
  std::string article;
  while (article.size() < bytes) {
    article += "<p style=\"text-indent:2em\">";
    for (int i = 0; i < 4; ++i) {
      switch (markup(random)) {
        case 0:
          article += "<a href=\"https://example.com/news/2024/0415.html\">" +
                     sentences[pick(random)] + "</a>";
          break;
        case 1:
          article += "<strong>" + sentences[pick(random)] + "</strong>";
          break;
        case 2:
          article += sentences[pick(random)] + "<BR>";
          break;
        default:
          article += sentences[pick(random)];
      }
    }
    article += "</p>\r\n";
  }
  return article;
}

void BM_ConvertScript(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  // Mode 3 reads a traditional article, mode 4 a simplified one.
  const std::string simplified = Article(1 << 20);
  const std::string article = mode == 3 ? ConvertScript(simplified, 4) : simplified;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ConvertScript(article, mode));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(article.size()));
}
BENCHMARK(BM_ConvertScript)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qinghe

BENCHMARK_MAIN();
