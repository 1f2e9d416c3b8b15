#include <sys/stat.h>

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <set>

#include "commands.h"
#include "database.h"
#include "file_io.h"
#include "pipeline.h"
#include "synonyms.h"

namespace qinghe::cli {
namespace {

struct RewriteArgs {
  std::string db;
  bool traditional = false, reverse = false, to_traditional = false, shuffle = false;
  std::optional<std::uint32_t> seed;
  std::string out_dir;
  std::vector<std::string> files;
};

// The options of the window, given once on the command line.
class FileHost final : public RewriteHost {
 public:
  FileHost(const RewriteArgs& args, GbkText article) : args_(args), article_(std::move(article)) {}
  bool SimplifiedChecked() override { return !args_.traditional; }
  bool TraditionalChecked() override { return args_.traditional; }
  int ModeSelection() override { return 0; }
  bool ReverseParagraphs() override { return args_.reverse; }
  bool OutputTraditional() override { return args_.to_traditional; }
  bool ShuffleSentences() override { return args_.shuffle; }
  GbkText ReadArticle() override { return article_; }

 private:
  const RewriteArgs& args_;
  GbkText article_;
};

// The word pairs, read through the cursor once and again only when the database file
// (or its write-ahead log) has changed since.
class CachedPairs {
 public:
  CachedPairs(std::string path, RecordCursor& cursor) : path_(std::move(path)), cursor_(cursor) {}

  const std::vector<SynonymPair>& Get() {
    const std::string stamp = Stamp(path_) + "|" + Stamp(path_ + "-wal");
    if (!loaded_ || stamp != stamp_) {
      pairs_ = ReadSynonymPairs(cursor_);
      stamp_ = stamp;
      loaded_ = true;
    }
    return pairs_;
  }

 private:
  static std::string Stamp(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return "-";
    return std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec);
  }

  std::string path_;
  RecordCursor& cursor_;
  std::vector<SynonymPair> pairs_;
  std::string stamp_;
  bool loaded_ = false;
};

int Usage(const std::string& message) {
  std::cerr << "qinghe-cli rewrite: " << message << " (see qinghe-cli --help)\n";
  return 2;
}

std::optional<RewriteArgs> Parse(const Args& args, int& status) {
  RewriteArgs parsed;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&]() -> const std::string* {
      return i + 1 < args.size() ? &args[++i] : nullptr;
    };
    if (options_done || arg == "-" || arg.rfind("-", 0) != 0) {
      parsed.files.push_back(arg);
    } else if (arg == "--") {
      options_done = true;
    } else if (arg == "--traditional") {
      parsed.traditional = true;
    } else if (arg == "--reverse") {
      parsed.reverse = true;
    } else if (arg == "--to-traditional") {
      parsed.to_traditional = true;
    } else if (arg == "--shuffle") {
      parsed.shuffle = true;
    } else if (arg == "--db" || arg == "-o" || arg == "--seed") {
      const std::string* v = value();
      if (!v || v->empty()) {
        status = Usage(arg + " needs a value");
        return std::nullopt;
      }
      if (arg == "--db") parsed.db = *v;
      if (arg == "-o") parsed.out_dir = *v;
      if (arg == "--seed") {
        std::uint32_t seed = 0;
        const auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), seed);
        if (ec != std::errc() || end != v->data() + v->size()) {
          status = Usage("--seed takes a whole number from 0 to 4294967295");
          return std::nullopt;
        }
        parsed.seed = seed;
      }
    } else {
      status = Usage("unknown option '" + arg + "'");
      return std::nullopt;
    }
  }
  if (parsed.files.empty()) parsed.files.push_back("-");
  if (parsed.files.size() > 1 && parsed.out_dir.empty()) {
    status = Usage("several files need -o DIR");
    return std::nullopt;
  }
  if (parsed.db.empty()) parsed.db = ProgramDirectory() + "/" + kDatabaseFileName;
  return parsed;
}

}  // namespace

int RunRewrite(const Args& args) {
  int status = 0;
  const std::optional<RewriteArgs> parsed = Parse(args, status);
  if (!parsed) return status;
  const RewriteArgs& options = *parsed;

  if (!options.out_dir.empty() && !std::filesystem::is_directory(options.out_dir)) {
    std::cerr << "qinghe-cli rewrite: " << options.out_dir << ": not a directory\n";
    return 2;
  }
  SetStoreMessageHook(
      [](const std::string& text) { std::cerr << "qinghe-cli rewrite: " << text << "\n"; });
  DatabaseConnection connection;
  RecordCursor cursor;
  if (!connection.ConnectDatabase(options.db, kDatabasePassword) ||
      !cursor.AttachCursor(connection)) {
    std::cerr << "qinghe-cli rewrite: cannot open the word database " << options.db << "\n";
    return 2;
  }
  if (options.seed) {
    const std::uint32_t seed = *options.seed;
    SetTickSource([seed] { return seed; });
  }
  CachedPairs pairs(options.db, cursor);
  const SynonymStage exchange = [&pairs](std::string_view text) {
    return ExchangeIndexed(text, pairs.Get());
  };

  const bool batch = !options.out_dir.empty();
  std::set<std::string> written;
  int failed = 0;
  const std::size_t total = options.files.size();
  for (std::size_t n = 0; n < total; ++n) {
    const std::string& file = options.files[n];
    const std::string name =
        file == "-" ? "stdin.html" : std::filesystem::path(file).filename().string();
    if (batch) std::cerr << "[" << n + 1 << "/" << total << "] " << file << "\n";
    std::string error;
    const std::optional<std::string> bytes = ReadAll(file, error);
    if (!bytes) {
      std::cerr << "qinghe-cli rewrite: " << error << "\n";
      ++failed;
      continue;
    }
    FileHost host(options, BytesToText(*bytes));
    const GbkText result = RunRewriteStages(host, exchange);
    if (!batch) {
      std::cout.write(result.data(), static_cast<std::streamsize>(result.size()));
      std::cout.flush();
      if (!std::cout) ++failed;
      continue;
    }
    if (!written.insert(name).second) {
      std::cerr << "qinghe-cli rewrite: " << file << ": another input already wrote " << name
                << "; skipped\n";
      ++failed;
      continue;
    }
    const std::string target = (std::filesystem::path(options.out_dir) / name).string();
    if (!WriteFileAtomically(target, result, /*overwrite=*/true, error)) {
      std::cerr << "qinghe-cli rewrite: " << error << "\n";
      ++failed;
    }
  }
  if (failed > 0 && batch)
    std::cerr << "qinghe-cli rewrite: " << failed << " of " << total << " files failed\n";
  return failed > 0 ? 1 : 0;
}

}  // namespace qinghe::cli
