#pragma once
// The same event through toq-cli: the window's walks record one toq-cli call per step and
// compare the files both leave.

#include <QString>
#include <QStringList>
#include <string>

namespace toq::testing {

/// Runs each call (arguments separated by tabs) with the toq-cli built beside the tests, in
/// `folder`. Empty when all succeeded, else what went wrong.
QString replayWithCli(const QStringList& calls, const QString& folder);

/// A table file's text without its second line (the path it was written to).
std::string withoutPathLine(const std::string& file);

}  // namespace toq::testing
