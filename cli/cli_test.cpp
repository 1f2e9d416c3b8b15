// Runs the real qinghe-cli binary and checks its output, status and error lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "gbk_literal.h"
#include "run_cli.h"

namespace qinghe {
namespace {

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
