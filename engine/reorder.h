// Paragraph and sentence reordering of an article's HTML, treated as plain text.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "gbk_text.h"

namespace qinghe {

// The permutation of the latest sentence shuffle: 1-based sentence numbers in output
// order. Empty until the first shuffle; each shuffle replaces it.
const std::vector<std::int32_t>& RandomOrder();

// Turns "<br>" and CR LF into "<BR>" (exact case: <Br> and <br/> stay). When
// `reverse_paragraphs` is set, the stretches between "<BR>" come out in reverse order,
// each followed by "<BR>".
GbkText NormalizeBreaks(std::string_view text, bool reverse_paragraphs);

// Cuts the text at every "。" and joins the sentences in a random order (RandomOrder),
// each followed by "。" and CR LF.
GbkText ShuffleSentences(std::string_view text);

// Fills RandomOrder with a random permutation of 1..n, reseeding the generator first.
void FillRandomOrder(std::int32_t n);

}  // namespace qinghe
