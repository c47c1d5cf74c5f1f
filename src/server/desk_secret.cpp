#include "server/desk_secret.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

#include "server/desk_codes.h"
#include "server/hmac.h"
#include "server/organiser_key.h"
#include "server/sha256.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::server {

namespace {

constexpr const char* kCannotWrite = "結果用紙の秘密を保存できませんでした（%s）。";
constexpr const char* kCannotMake =
    "結果用紙の秘密を作れませんでした（安全な乱数が得られません）。";

std::filesystem::path fileOf(const std::filesystem::path& table) {
  std::error_code ec;
  std::filesystem::path full =
      std::filesystem::weakly_canonical(std::filesystem::absolute(table), ec);
  if (ec) full = std::filesystem::absolute(table, ec);
  const auto digest = sha256(text::pathToUtf8(full));
  return deskSecretFolder() / (hexText(digest.data(), 16) + ".secret");
}

int nibble(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> fromHex(const std::string& hex) {
  if (hex.size() != kDeskSecretBytesHex) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int hi = nibble(hex[i]), lo = nibble(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes += static_cast<char>(hi * 16 + lo);
  }
  return bytes;
}

}  // namespace

std::filesystem::path deskSecretFolder() {
#ifdef _WIN32
  if (const wchar_t* app = _wgetenv(L"APPDATA"); app && *app)
    return std::filesystem::path(app) / "TOQ" / "desk";
  return std::filesystem::temp_directory_path() / "TOQ" / "desk";
#else
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
    return std::filesystem::path(config) / "TOQ" / "desk";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : "/tmp") / ".config" / "TOQ" / "desk";
#endif
}

std::optional<std::string> deskSecret(const std::filesystem::path& table, bool renew,
                                      std::string& error) {
  const std::filesystem::path file = fileOf(table);
  if (!renew) {
    std::ifstream in(file, std::ios::binary);
    std::string hex;
    if (in && std::getline(in, hex))
      if (std::optional<std::string> secret = fromHex(hex)) return secret;
  }
  const std::optional<std::string> made = secureRandomBytes(kDeskSecretBytes);
  if (!made) {
    error = kCannotMake;
    return std::nullopt;
  }
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  const std::filesystem::path part = file.string() + ".new";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out << hexText(reinterpret_cast<const std::uint8_t*>(made->data()), made->size()) << "\n"
        << text::pathToUtf8(table) << "\n";
    if (!out.flush()) ec = std::make_error_code(std::errc::io_error);
  }
  if (!ec)
    std::filesystem::permissions(
        part, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write, ec);
  if (!ec) std::filesystem::rename(part, file, ec);
  if (ec) {
    error = text::format(kCannotWrite, text::pathToUtf8(file).c_str());
    return std::nullopt;
  }
  return made;
}

}  // namespace toq::server
