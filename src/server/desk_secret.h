#pragma once
// The desk secret of each table, from which the result slips' codes are derived: kept in the
// user's configuration folder, one small file per table (named by a hash of the table file's
// full path), never in the table file. toq-cli and the window read the same file, so a slip
// printed by one opens the desk served by the other, also after a restart.

#include <filesystem>
#include <optional>
#include <string>

namespace toq::server {

/// $XDG_CONFIG_HOME/TOQ/desk (else ~/.config/TOQ/desk); %APPDATA%\TOQ\desk on Windows.
std::filesystem::path deskSecretFolder();

/// The table's secret (raw bytes). A table without one, or `renew`, gets a new one from the
/// secure random source, written at once. None with the reason (Japanese) when it cannot be
/// made, read or written.
std::optional<std::string> deskSecret(const std::filesystem::path& table, bool renew,
                                      std::string& error);

}  // namespace toq::server
