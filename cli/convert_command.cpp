#include <iostream>

#include "commands.h"
#include "file_io.h"
#include "gbk_text.h"
#include "script_convert.h"

namespace qinghe::cli {

int RunConvert(const Args& args) {
  int mode = 0;
  std::string file = "-";
  bool have_file = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--mode" && i + 1 < args.size()) {
      const std::string& value = args[++i];
      mode = value == "3" ? 3 : value == "4" ? 4 : -1;
    } else if (!have_file && (args[i] == "-" || args[i].rfind("-", 0) != 0)) {
      file = args[i];
      have_file = true;
    } else {
      std::cerr << "qinghe-cli convert: unexpected argument '" << args[i] << "'\n";
      return 2;
    }
  }
  if (mode != 3 && mode != 4) {
    std::cerr << "qinghe-cli convert: --mode must be 3 (traditional to simplified) or 4 "
                 "(simplified to traditional)\n";
    return 2;
  }
  std::string error;
  const std::optional<std::string> bytes = ReadAll(file, error);
  if (!bytes) {
    std::cerr << "qinghe-cli convert: " << error << "\n";
    return 2;
  }
  const GbkText converted = ConvertScript(BytesToText(*bytes), mode);
  std::cout.write(converted.data(), static_cast<std::streamsize>(converted.size()));
  std::cout.flush();
  return std::cout ? 0 : 1;
}

}  // namespace qinghe::cli
