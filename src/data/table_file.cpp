// Placeholder until the file layer lands; its owner replaces this file.
#include "data/table_file.h"
namespace toq::data {
int WriteTableFile(const Table&, const std::filesystem::path&, services::Services&) { return -1; }
int ReadTableFile(Table&, const std::filesystem::path&, services::Services&) { return -1; }
int OpenTableFile(Register&, Table&, const std::filesystem::path&, std::filesystem::path&,
                  services::Services&) { return -1; }
}  // namespace toq::data
