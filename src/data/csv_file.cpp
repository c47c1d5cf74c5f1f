// Placeholder until the file layer lands; its owner replaces this file.
#include "data/csv_file.h"
namespace toq::data {
int WriteCsvFile(const Table&, const Register&, const std::filesystem::path&, services::Services&) { return -1; }
}  // namespace toq::data
