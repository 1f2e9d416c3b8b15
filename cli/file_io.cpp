#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace qinghe::cli {

std::optional<std::string> ReadAll(const std::string& path, std::string& error) {
  if (path == "-") {
    std::ostringstream content;
    content << std::cin.rdbuf();
    return content.str();
  }
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    error = path + ": is a directory";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = path + ": read error";
    return std::nullopt;
  }
  return content;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, bool overwrite,
                         std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!overwrite && fs::exists(path, ec)) {
    error = path + ": exists (use --force to replace it)";
    return false;
  }
  const fs::path target(path);
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string temp = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    error = path + ": " + std::strerror(errno);
    return false;
  }
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    written += static_cast<std::size_t>(n);
  }
  const bool ok = written == bytes.size() && ::fsync(fd) == 0;
  const int saved_errno = errno;
  ::close(fd);
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    error = path + ": " + std::strerror(ok ? errno : saved_errno);
    std::remove(temp.c_str());
    return false;
  }
  ::chmod(path.c_str(), 0644);
  return true;
}

std::string ProgramDirectory() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return ".";
  return exe.parent_path().string();
}

}  // namespace qinghe::cli
