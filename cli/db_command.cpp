// qinghe-cli db build: a word database from a UTF-8 list of synonym pairs.
#include <filesystem>
#include <iostream>
#include <set>
#include <string_view>

#include "commands.h"
#include "cp936.h"
#include "database.h"
#include "database_file.h"
#include "file_io.h"
#include "synonyms.h"

namespace qinghe::cli {
namespace {

constexpr std::string_view kName = "qinghe-cli db build: ";

struct Options {
  std::string list, out;
  bool force = false, keep_replacements = false;
};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The code page 936 bytes of one word of the list, or nothing with `error` set.
std::optional<GbkText> ConvertWord(std::string_view word, std::string& error) {
  if (word.empty()) {
    error = "empty word";
    return std::nullopt;
  }
  std::optional<GbkText> gbk = Utf8ToGbk(word);
  if (!gbk) {
    error = "'" + std::string(word) + "' cannot be written in code page 936";
  } else if (gbk->find('\0') != std::string::npos ||
             gbk->find(static_cast<char>(kScrambleKey)) != std::string::npos) {
    error = "'" + std::string(word) + "' contains a zero byte or the scrambling key 0x1F";
    gbk.reset();
  }
  return gbk;
}

// Splits one line into its two words: at the first tab, or at the first comma when the
// line has no tab. Nothing, with `error` set, for a line that is not such a pair.
std::optional<std::pair<GbkText, GbkText>> ParsePair(std::string_view line, std::string& error) {
  const std::size_t tab = line.find('\t');
  const std::size_t split = tab != std::string_view::npos ? tab : line.find(',');
  if (split == std::string_view::npos) {
    error = "expected two words separated by a tab or a comma";
    return std::nullopt;
  }
  const std::string_view first = TrimBlanks(line.substr(0, split));
  const std::string_view second = TrimBlanks(line.substr(split + 1));
  if (tab != std::string_view::npos && second.find('\t') != std::string_view::npos) {
    error = "more than two words";
    return std::nullopt;
  }
  std::optional<GbkText> a = ConvertWord(first, error);
  if (!a) return std::nullopt;
  std::optional<GbkText> b = ConvertWord(second, error);
  if (!b) return std::nullopt;
  return std::make_pair(std::move(*a), std::move(*b));
}

// Reads the pairs of the list in file order, leaving out repeated and reversed pairs
// (counted in `dropped`). Each bad line is reported on standard error; false if any.
bool ReadPairs(const std::string& name, std::string_view text, std::vector<StoredWordPair>& pairs,
               int& dropped) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::set<std::pair<GbkText, GbkText>> seen;
  bool ok = true;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (TrimBlanks(line).empty() || line.starts_with('#')) continue;
    std::string error;
    std::optional<std::pair<GbkText, GbkText>> pair = ParsePair(line, error);
    if (!pair) {
      std::cerr << kName << name << ":" << number << ": " << error << "\n";
      ok = false;
      continue;
    }
    if (seen.count(*pair) || seen.count({pair->second, pair->first})) {
      ++dropped;
      continue;
    }
    seen.insert(*pair);
    pairs.emplace_back(Unscramble(pair->first), Unscramble(pair->second));
  }
  return ok;
}

bool ParseOptions(const Args& args, Options& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if ((arg == "--synonyms" || arg == "--out") && i + 1 < args.size()) {
      (arg == "--out" ? options.out : options.list) = args[++i];
    } else if (arg == "--force") {
      options.force = true;
    } else if (arg == "--keep-replacements") {
      options.keep_replacements = true;
    } else {
      std::cerr << kName << "unexpected argument '" << arg << "' (see qinghe-cli --help)\n";
      return false;
    }
  }
  if (options.list.empty() || options.out.empty()) {
    std::cerr << kName << "needs --synonyms LIST and --out PATH\n";
    return false;
  }
  return true;
}

}  // namespace

int RunDbBuild(const Args& args) {
  Options options;
  if (!ParseOptions(args, options)) return 2;
  std::error_code ec;
  const bool exists = std::filesystem::exists(options.out, ec);
  if (exists && !options.force && !options.keep_replacements) {
    std::cerr << kName << options.out << ": exists (use --force to replace it)\n";
    return 2;
  }
  std::string error;
  const std::optional<std::string> text = ReadAll(options.list, error);
  if (!text) {
    std::cerr << kName << error << "\n";
    return 2;
  }
  std::vector<StoredWordPair> pairs;
  int dropped = 0;
  if (!ReadPairs(options.list, *text, pairs, dropped)) return 2;

  const std::string keep_from = options.keep_replacements && exists ? options.out : "";
  const std::optional<ByteSeq> image =
      BuildDatabaseImage(pairs, kDatabasePassword, keep_from, error);
  if (!image || !WriteFileAtomically(options.out, *image, true, error)) {
    std::cerr << kName << error << "\n";
    return 1;
  }
  std::cerr << kName << options.out << ": " << pairs.size() << " pairs";
  if (dropped > 0) std::cerr << ", " << dropped << " repeated or reversed pairs dropped";
  if (!keep_from.empty()) std::cerr << ", replacement list kept";
  std::cerr << "\n";
  return 0;
}

}  // namespace qinghe::cli
