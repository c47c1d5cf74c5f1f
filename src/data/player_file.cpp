// Placeholder until the file layer lands; its owner replaces this file.
#include "data/player_file.h"
namespace toq::data {
int WritePlayerFile(const Register&, const std::filesystem::path&) { return -1; }
int ReadPlayerFile(Register&, const std::filesystem::path&) { return -1; }
int LoadPlayerFile(Register&, const std::filesystem::path&) { return -1; }
}  // namespace toq::data
