#pragma once
// The event as one self-contained web page (UTF-8 HTML, inline style sheet, no scripts): the
// pairings of the latest paired round, the standings after the last complete round and the
// main view's wall chart with the same texts and colours, for a phone, a projector and a
// printed A4 landscape page alike.

#include <filesystem>
#include <string>

#include "data/register.h"
#include "data/table.h"
#include "pairing/date_stamp.h"
#include "services/services.h"

namespace toq::reports {

/// The whole page. Computes the standings of the last complete round into the table's
/// standings block (derived data; nothing else changes). A participant whose player the
/// register lacks shows the register's lookup message once and an empty name.
std::string composeWebPage(data::Table& table, const data::Register& players,
                           const pairing::DateStamp& stamp, services::Services& ui);

/// The page's default file: the table file with the extension ".html" ("TABLE.tai" gives
/// "TABLE.html" beside it); empty when the table has no file.
std::filesystem::path webPagePath(const data::Table& table);

/// Composes the page at the current time and writes it with the safe write (a temporary file
/// that replaces the target; the previous page is kept as ".bak"). kReportShown (0) when
/// written; kReportWriteError after an error box naming the file.
int writeWebPage(data::Table& table, const data::Register& players,
                 const std::filesystem::path& path, services::Services& ui);

}  // namespace toq::reports
