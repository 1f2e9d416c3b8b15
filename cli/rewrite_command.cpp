#include <iostream>

#include "commands.h"

namespace qinghe::cli {

int RunRewrite(const Args&) {
  std::cerr << "qinghe-cli rewrite: not available yet\n";
  return 2;
}

}  // namespace qinghe::cli
