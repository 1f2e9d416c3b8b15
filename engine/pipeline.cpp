#include "pipeline.h"

#include "reorder.h"
#include "script_convert.h"
#include "synonyms.h"

namespace qinghe {

GbkText RunRewriteStages(RewriteHost& host, const SynonymStage& exchange) {
  GbkText text;
  if (host.SimplifiedChecked() && host.ModeSelection() == 0) {
    text = host.ReadArticle();
    text = NormalizeBreaks(text, host.ReverseParagraphs());
    text = exchange(text);
  } else if (host.TraditionalChecked() && host.ModeSelection() == 0) {
    text = host.ReadArticle();
    text = NormalizeBreaks(text, host.ReverseParagraphs());
    text = ConvertScript(text, 3);
    text = exchange(text);
    text = ConvertScript(text, 4);
  }
  if (host.OutputTraditional()) text = ConvertScript(text, 4);
  if (host.ShuffleSentences()) text = ShuffleSentences(text);
  return text;
}

GbkText RunRewriteStages(RewriteHost& host, CursorReader& synonyms) {
  return RunRewriteStages(
      host, [&synonyms](std::string_view text) { return ExchangeSynonyms(text, synonyms); });
}

}  // namespace qinghe
