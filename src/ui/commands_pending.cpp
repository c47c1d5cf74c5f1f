// Commands whose dialogs and printing are still being built: they say so in the status bar.
#include "ui/commands.h"

namespace toq::ui {

namespace {

void notYet(services::Services& ui) {
  ui.statusMessage("この機能はまだ使えません。");
}

}  // namespace

void Commands::openTable() {
  notYet(ui_);
}
void Commands::importNameList() {
  notYet(ui_);
}
void Commands::saveTableAs() {
  notYet(ui_);
}
void Commands::saveCsv() {
  notYet(ui_);
}
void Commands::showReport(view::Command) {
  notYet(ui_);
}
void Commands::tableFont() {
  notYet(ui_);
}
void Commands::addParticipant() {
  notYet(ui_);
}
void Commands::removeParticipant() {
  notYet(ui_);
}
void Commands::cancelLatestRound() {
  notYet(ui_);
}
void Commands::cancelAllPairings() {
  notYet(ui_);
}
void Commands::changeNumberOfGames() {
  notYet(ui_);
}
void Commands::exchangeByes() {
  notYet(ui_);
}
void Commands::setOpponent() {
  notYet(ui_);
}
void Commands::setBye() {
  notYet(ui_);
}
void Commands::cancelPairing() {
  notYet(ui_);
}
void Commands::enterResult() {
  notYet(ui_);
}
void Commands::randomResults() {
  notYet(ui_);
}
void Commands::repeatedTest() {
  notYet(ui_);
}
void Commands::registerPlayer() {
  notYet(ui_);
}
void Commands::editPlayer() {
  notYet(ui_);
}
void Commands::deletePlayers() {
  notYet(ui_);
}
void Commands::editRowPlayer() {
  notYet(ui_);
}
void Commands::handicapAndResult() {
  notYet(ui_);
}
void Commands::handicap() {
  notYet(ui_);
}
void Commands::showContextMenu(const QPoint&) {}

}  // namespace toq::ui
