#include "reports/report_files.h"

#include <algorithm>
#include <fstream>

#include "reports/texts.h"
#include "text/cp932.h"
#include "text/paths.h"

namespace toq::reports {

namespace {

// Bytes of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
std::size_t utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace

std::string pathUtf8(const std::filesystem::path& path) {
  return text::pathToUtf8(path);
}

std::string pathCp932(const std::filesystem::path& path) {
  const std::string utf8 = pathUtf8(path);
  if (auto whole = text::toCp932(utf8)) return *whole;
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    std::size_t len =
        std::min(utf8Length(static_cast<unsigned char>(utf8[pos])), utf8.size() - pos);
    auto one = text::toCp932(std::string_view(utf8).substr(pos, len));
    out += one ? *one : std::string("?");
    pos += len;
  }
  return out;
}

std::string reportTitle(const data::Table& table) {
  // Every ".tai" in the name becomes the mark, built anew rather than replaced in place.
  const std::string name = pathUtf8(table.filePath.filename());
  const std::string_view from = texts::kTableExtension;
  std::string title;
  std::size_t start = 0;
  for (std::size_t pos = name.find(from); pos != std::string::npos; pos = name.find(from, start)) {
    title.append(name, start, pos - start);
    title += texts::kTitleExtensionMark;
    start = pos + from.size();
  }
  title.append(name, start, std::string::npos);
  return title;
}

std::filesystem::path reportPath(const data::Table& table, std::string_view nameUtf8) {
  return table.directory() / text::pathFromUtf8(nameUtf8);
}

int writeAndShow(const std::filesystem::path& path, const std::function<std::string()>& compose,
                 std::string_view failureMessage, services::Services& ui,
                 std::filesystem::path* written) {
  auto fail = [&] {
    if (!failureMessage.empty()) {
      std::string message(failureMessage);
      if (auto at = message.find("%s"); at != std::string::npos)
        message.replace(at, 2, pathUtf8(path));
      ui.errorBox(message);
    }
    return kReportWriteError;
  };
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return fail();
  const std::string content = compose();
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  if (!out) return fail();
  if (written) *written = path;
  return ui.openWithViewer(path) == 0 ? kReportShown : kReportViewerFailed;
}

}  // namespace toq::reports
