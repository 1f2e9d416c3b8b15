// The subcommands of qinghe-cli. Each takes its own arguments (without the command
// name), writes results to standard output and errors to standard error, and returns
// the process exit status: 0 on success, 1 when some files failed, 2 on a usage error.
#pragma once

#include <string>
#include <vector>

namespace qinghe::cli {

using Args = std::vector<std::string>;

int RunConvert(const Args& args);
int RunDbBuild(const Args& args);
int RunRewrite(const Args& args);

}  // namespace qinghe::cli
