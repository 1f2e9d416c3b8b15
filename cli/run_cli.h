// For tests: runs the real qinghe-cli binary (QINGHE_CLI) and collects its exit status,
// standard output and standard error.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace qinghe {

struct Result {
  int status = -1;
  std::string out, err;
};

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs qinghe-cli with `args`, feeding `input` on standard input.
inline Result RunCli(const std::vector<std::string>& args, const std::string& input = "") {
  // Named per process, so that test programs running side by side do not share them.
  const std::string dir = testing::TempDir() + "/" + std::to_string(getpid()) + "_";
  const std::string in_path = dir + "cli_in", out_path = dir + "cli_out",
                    err_path = dir + "cli_err";
  std::ofstream(in_path, std::ios::binary) << input;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in_path.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
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

}  // namespace qinghe
