// File helpers of the command-line tool.
#pragma once

#include <optional>
#include <string>

namespace qinghe::cli {

// The whole content of a file (or of standard input for "-"), or nothing with `error`
// set to a one-line description.
std::optional<std::string> ReadAll(const std::string& path, std::string& error);

// Writes `bytes` to `path` through a temporary file in the same directory that is renamed
// into place, so that the file appears whole or not at all. Refuses to replace an
// existing file unless `overwrite` is set.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, bool overwrite,
                         std::string& error);

// The directory of the running program, without a trailing separator.
std::string ProgramDirectory();

}  // namespace qinghe::cli
