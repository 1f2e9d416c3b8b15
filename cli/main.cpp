// qinghe-cli: the rewriting engine on files and folders, without the window.
#include <iostream>
#include <string>

#include "commands.h"

namespace {

constexpr const char* kUsage =
    "Usage: qinghe-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  rewrite [--db PATH] [--traditional] [--reverse] [--to-traditional] [--shuffle]\n"
    "          [--seed N] [-o DIR] [FILE...]\n"
    "      Rewrite articles (code page 936 bytes): exchange synonyms, and optionally\n"
    "      reverse paragraphs, convert script and shuffle sentences. One input (or\n"
    "      standard input) goes to standard output; several need -o DIR.\n"
    "  convert --mode 3|4 [FILE]\n"
    "      Convert script: 3 traditional to simplified, 4 simplified to traditional.\n"
    "  db build --synonyms LIST --out PATH [--force | --keep-replacements]\n"
    "      Build a word database from a UTF-8 list of synonym pairs (one pair a line,\n"
    "      split at a tab or else at the first comma; '#' starts a comment). An existing\n"
    "      PATH is replaced with --force, or with --keep-replacements, which keeps its\n"
    "      replacement list (table th).\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help\n"
    "  --version      show the version\n";

}  // namespace

int main(int argc, char** argv) {
  qinghe::cli::Args args(argv + 1, argv + argc);
  if (args.empty()) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string command = args.front();
  args.erase(args.begin());
  if (command == "-h" || command == "--help" || command == "help") {
    std::cout << kUsage;
    return 0;
  }
  if (command == "--version") {
    std::cout << "qinghe-cli 3.0\n";
    return 0;
  }
  if (command == "convert") return qinghe::cli::RunConvert(args);
  if (command == "rewrite") return qinghe::cli::RunRewrite(args);
  if (command == "db" && !args.empty() && args.front() == "build") {
    args.erase(args.begin());
    return qinghe::cli::RunDbBuild(args);
  }
  std::cerr << "qinghe-cli: unknown command '" << command << "' (see qinghe-cli --help)\n";
  return 2;
}
