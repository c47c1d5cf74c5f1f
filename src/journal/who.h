#pragma once
// Who made a change: the front end that passed it through the door, with what it knows of
// the caller (the round and board of a desk's slip, the address a request came from).

#include <string>
#include <string_view>

namespace toq::journal {

/// The kinds of caller a change comes from.
enum class WhoKind {
  Window,        ///< the desktop program's keys, menus and dialogs
  Cli,           ///< a toq-cli sub-command
  Organiser,     ///< the organiser's page (or API) over the venue's network
  Desk,          ///< the result desk: a board's slip
  Reception,     ///< the reception's page
  OtherProgram,  ///< a file another program changed, read again
};

/// One caller. Round and board are 0-based (-1: none); the address is the peer's, as text.
struct Who {
  WhoKind kind = WhoKind::Window;
  int round = -1;
  int board = -1;
  std::string address;

  static Who window() { return {}; }
  static Who cli() { return {WhoKind::Cli, -1, -1, {}}; }
  static Who otherProgram() { return {WhoKind::OtherProgram, -1, -1, {}}; }
  static Who organiser(std::string address) { return {WhoKind::Organiser, -1, -1, address}; }
  static Who reception(std::string address) { return {WhoKind::Reception, -1, -1, address}; }
  static Who desk(int round, int board, std::string address) {
    return {WhoKind::Desk, round, board, address};
  }
  bool operator==(const Who&) const = default;
};

/// The kind's name in the journal and the API: "window", "cli", "organiser", "desk",
/// "reception", "file".
std::string_view kindName(WhoKind kind);
/// The kind named so; the window for a name it does not know.
WhoKind kindNamed(std::string_view name);
/// For people (UTF-8): "ウィンドウ", "toq-cli", "運営者のページ (192.168.1.5)",
/// "結果受付 2回戦 第7局 (192.168.1.9)", "受付 (…)", "他のプログラム".
std::string describe(const Who& who);

}  // namespace toq::journal
