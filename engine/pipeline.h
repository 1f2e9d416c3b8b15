// The order of the rewrite stages and the condition of each.
#pragma once

#include <functional>
#include <string_view>

#include "cursor_reader.h"
#include "gbk_text.h"

namespace qinghe {

// The article and the options of one rewrite. Each is asked for at the moment its stage
// is reached, so an option changed while a rewrite runs can still take effect in it.
class RewriteHost {
 public:
  virtual ~RewriteHost() = default;
  virtual bool SimplifiedChecked() = 0;   // the article is in simplified script
  virtual bool TraditionalChecked() = 0;  // the article is in traditional script
  virtual int ModeSelection() = 0;        // 0 is the normal mode, in which the stages run
  virtual bool ReverseParagraphs() = 0;
  virtual bool OutputTraditional() = 0;
  virtual bool ShuffleSentences() = 0;
  virtual GbkText ReadArticle() = 0;
};

// The synonym stage: takes the working text and returns it with its synonyms exchanged.
using SynonymStage = std::function<GbkText(std::string_view)>;

// Runs the stages: read the article, normalise breaks (reversing paragraphs on request),
// for a traditional article convert to simplified, exchange synonyms and convert back;
// then convert to traditional when asked, shuffle sentences when asked. Returns the text
// to show. In a mode other than 0 the article is not read and the text starts empty.
GbkText RunRewriteStages(RewriteHost& host, const SynonymStage& exchange);

// The same, exchanging synonyms with the word table read through `synonyms`.
GbkText RunRewriteStages(RewriteHost& host, CursorReader& synonyms);

}  // namespace qinghe
