#include "database.h"

#include "sqlite_store.h"

namespace qinghe {
namespace {

constexpr std::string_view kProviderPart = "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=";
constexpr std::string_view kPasswordPart = ";Jet OLEDB:Database Password=";

}  // namespace

std::string BuildConnectionString(std::string_view path, std::string_view password) {
  std::string text(kProviderPart);
  text.append(path);
  if (!password.empty()) {
    text.append(kPasswordPart);
    text.append(password);
    text.push_back(';');
  }
  return text;
}

std::optional<ConnectionTarget> ParseConnectionString(std::string_view connection_string) {
  if (!connection_string.starts_with(kProviderPart)) return std::nullopt;
  std::string_view rest = connection_string.substr(kProviderPart.size());
  ConnectionTarget target;
  const std::size_t password_at = rest.rfind(kPasswordPart);
  if (password_at != std::string_view::npos && rest.ends_with(';') &&
      password_at + kPasswordPart.size() < rest.size()) {
    const std::size_t start = password_at + kPasswordPart.size();
    target.password = std::string(rest.substr(start, rest.size() - 1 - start));
    rest = rest.substr(0, password_at);
  }
  target.path = std::string(rest);
  return target;
}

DatabaseConnection::DatabaseConnection() = default;
DatabaseConnection::~DatabaseConnection() = default;

bool DatabaseConnection::ConnectDatabase(const std::string& path, const std::string& password) {
  connection_string_ = BuildConnectionString(path, password);
  store_.reset();
  last_error_.clear();
  const std::optional<ConnectionTarget> target = ParseConnectionString(connection_string_);
  if (!target) {
    last_error_ = "malformed connection string";
    return false;
  }
  store_ = SqliteStore::Open(target->path, target->password, last_error_);
  return store_ != nullptr;
}

const std::string& DatabaseConnection::ConnectionString() const { return connection_string_; }
bool DatabaseConnection::IsOpen() const { return store_ != nullptr; }
const std::string& DatabaseConnection::LastError() const { return last_error_; }
TableStore* DatabaseConnection::Store() { return store_.get(); }

}  // namespace qinghe
