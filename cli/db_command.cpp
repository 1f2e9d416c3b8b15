#include <iostream>

#include "commands.h"

namespace qinghe::cli {

int RunDbBuild(const Args&) {
  std::cerr << "qinghe-cli db build: not available yet\n";
  return 2;
}

}  // namespace qinghe::cli
