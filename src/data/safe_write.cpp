// Placeholder until the file layer lands; its owner replaces this file.
#include "data/safe_write.h"
namespace toq::data {
int writeFileSafely(const std::filesystem::path&, std::string_view) { return -1; }
std::filesystem::path backupPath(const std::filesystem::path& path) { return path.string() + ".bak"; }
}  // namespace toq::data
