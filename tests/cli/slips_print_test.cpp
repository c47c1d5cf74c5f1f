// toq-cli print TABLE slips: a 49-board round is seven pages of eight slips, and each slip's
// QR code, read back from the printed pages, opens the desk on its own board.
#include <cstdlib>
#include <set>

#include "cli/cli_fixture.h"
#include "edit/workspace.h"
#include "server/desk_codes.h"
#include "server/desk_secret.h"
#include "support/command_output.h"

namespace toq {
namespace {

namespace fs = std::filesystem;

class SlipsPrint : public testing::CliTableTest {
 protected:
  void SetUp() override {
    CliTableTest::SetUp();
    ::setenv("XDG_CONFIG_HOME", path("config").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
};

TEST_F(SlipsPrint, A49BoardRoundIsSevenPagesWhoseQrCodesOpenTheirBoards) {
  for (int i = 0; i < 98; ++i) t_->addParticipant("P" + std::to_string(i), 1200 + 7 * i);
  t_->table.numberOfGames = 5;
  save();
  ASSERT_EQ(cli("pair", {table()}).code, 0);
  const std::string pdf = path("slips.pdf").string();
  const testing::CliRun printed =
      cli("print", {table(), "slips", pdf, "--address", "http://192.0.2.5:8080"});
  ASSERT_EQ(printed.code, 0) << printed.err;
  EXPECT_NE(testing::commandOutput("pdfinfo " + pdf).find("Pages:           7\n"),
            std::string::npos);

  // The boards' desk addresses, with the codes of the table's secret.
  edit::Workspace ws;
  ws.table = *onDisk();
  ws.players = t_->players;
  std::string error;
  const std::optional<std::string> secret = server::deskSecret(table(), false, error);
  ASSERT_TRUE(secret) << error;
  std::multiset<std::string> expected;
  std::vector<std::string> codes;
  for (const server::Slip& s : server::slipsOf(ws, *secret, std::nullopt)) {
    expected.insert("http://192.0.2.5:8080/desk#" + s.code);
    codes.push_back(s.code);
  }
  ASSERT_EQ(expected.size(), 49u);

  testing::commandOutput("pdftoppm -r 200 -png " + pdf + " " + path("page").string());
  std::multiset<std::string> read;
  const std::string decoded =
      testing::commandOutput("zbarimg -q --raw " + path("page").string() + "-*.png 2>/dev/null");
  for (std::size_t at = 0, end; (end = decoded.find('\n', at)) != std::string::npos; at = end + 1)
    read.insert(decoded.substr(at, end - at));
  EXPECT_EQ(read, expected);

  // Each slip prints its code whole, as a player types it at the desk.
  const std::string words = testing::commandOutput("pdftotext " + pdf + " -");
  for (const std::string& code : codes)
    EXPECT_NE(words.find("コード " + code), std::string::npos) << code;
}

}  // namespace
}  // namespace toq
