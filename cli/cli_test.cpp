// Runs the real qinghe-cli binary and checks its output, status and error lines.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "gbk_literal.h"

namespace qinghe {
namespace {

struct Result {
  int status = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs qinghe-cli with `args`, feeding `input` on standard input.
Result RunCli(const std::vector<std::string>& args, const std::string& input = "") {
  const std::string dir = testing::TempDir();
  const std::string in_path = dir + "/cli_in", out_path = dir + "/cli_out", err_path = dir + "/cli_err";
  std::ofstream(in_path, std::ios::binary) << input;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in_path.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> all{QINGHE_CLI};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  Result result;
  if (posix_spawn(&pid, QINGHE_CLI, &actions, nullptr, argv.data(), environ) == 0) {
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = Slurp(out_path);
  result.err = Slurp(err_path);
  return result;
}

TEST(CliTest, HelpAndVersion) {
  Result help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("convert --mode 3|4"), std::string::npos);
  Result version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "qinghe-cli 3.0\n");
  Result unknown = RunCli({"frobnicate"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_TRUE(unknown.out.empty());
}

TEST(CliConvertTest, ConvertsStandardInputAndFiles) {
  Result r = RunCli({"convert", "--mode", "4"}, Gbk("国们发后") + std::string("\0tail", 5));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Gbk("國們發後"));

  const std::string path = testing::TempDir() + "/trad.txt";
  std::ofstream(path, std::ios::binary) << Gbk("幹乾<b>x</b>");
  r = RunCli({"convert", "--mode", "3", path});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, Gbk("干干<b>x</b>"));
}

TEST(CliConvertTest, ErrorsAreOneLineWithStatusTwoAndNoOutput) {
  const std::vector<std::vector<std::string>> bad = {
      {"convert", "--mode", "5"},
      {"convert"},
      {"convert", "--mode", "3", testing::TempDir() + "/no-such-file"},
      {"convert", "--mode", "3", testing::TempDir()},
      {"convert", "--mode", "3", "--bogus"},
  };
  for (const auto& args : bad) {
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_TRUE(r.out.empty()) << args.back();
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

TEST(CliConvertTest, ConvertsTheWholeCodeSpaceKeepingItsLength) {
  std::string all;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      all.push_back(static_cast<char>(lead));
      all.push_back(static_cast<char>(trail));
    }
  }
  ASSERT_EQ(all.size(), 23940u * 2);
  for (const char* mode : {"3", "4"}) {
    const Result r = RunCli({"convert", "--mode", mode}, all);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.size(), all.size()) << "mode " << mode;
  }
}

}  // namespace
}  // namespace qinghe
