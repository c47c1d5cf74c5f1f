#pragma once
// Why a file did not read whole: the line and what is wrong there. A file is read whole or
// not at all; a reader that meets a fault says which, and no command writes over that file.

#include <filesystem>
#include <string>
#include <string_view>

namespace toq::data {

/// The first fault a reader met in a file.
struct ReadFault {
  int line = 0;      ///< 1-based line of the fault; 0 for the file as a whole
  std::string what;  ///< what is wrong there (UTF-8): "NUL文字（U+0000）があります"

  bool any() const { return !what.empty(); }
};

/// Keeps the first fault met: later ones are left out, as the first is the one to mend.
void noteFault(ReadFault* fault, int line, std::string_view what);

/// "春の大会.ply の 12行目: NUL文字（U+0000）があります。ファイルは全部は読めませんでした。"
std::string readFaultMessage(const std::filesystem::path& file, const ReadFault& fault);

/// What is wrong with a line's bytes as such (a NUL), or empty.
std::string lineBytesFault(std::string_view line);

}  // namespace toq::data
