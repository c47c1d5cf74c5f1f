#include "data/read_fault.h"

#include "text/format.h"
#include "text/paths.h"

namespace toq::data {

namespace {

constexpr const char* kFaultAtLine =
    "%s の %d行目: %s。このファイルは全部は読めないため、変更しません。";
constexpr const char* kFaultInFile = "%s: %s。このファイルは全部は読めないため、変更しません。";
constexpr const char* kNul = "NUL文字（U+0000）があります";

}  // namespace

void noteFault(ReadFault* fault, int line, std::string_view what) {
  if (!fault || fault->any()) return;
  fault->line = line;
  fault->what = std::string(what);
}

std::string readFaultMessage(const std::filesystem::path& file, const ReadFault& fault) {
  const std::string name = text::pathToUtf8(file);
  return fault.line > 0 ? text::format(kFaultAtLine, name.c_str(), fault.line, fault.what.c_str())
                        : text::format(kFaultInFile, name.c_str(), fault.what.c_str());
}

std::string lineBytesFault(std::string_view line) {
  return line.find('\0') != std::string_view::npos ? kNul : std::string();
}

}  // namespace toq::data
