// The organiser's page signs its changes and never sends its key: its SHA-256 and HMAC
// against the standard test vectors under node, and a whole session recorded on loopback.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "server/hmac.h"
#include "server/server_fixture.h"
#include "server/sha256.h"
#include "server/sign_script.h"
#include "support/command_output.h"

namespace toq {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

std::string run(const std::string& command) {
  int status = 0;
  std::string output = testing::commandOutput(command, &status);
  EXPECT_EQ(status, 0) << output;
  return output;
}

std::string times(int byte, std::size_t n) {
  return std::string(n, static_cast<char>(byte));
}

std::string counting(int from, int to) {
  std::string s;
  for (int b = from; b <= to; ++b) s += static_cast<char>(b);
  return s;
}

struct Vector {
  bool hmac;
  std::string key, data, digest;
};

// SHA-256 (the FIPS 180-2 examples) and HMAC-SHA256 (RFC 4231 cases 1, 2, 3, 4, 6 and 7).
std::vector<Vector> vectors() {
  const std::string big = times(0xaa, 131);
  return {
      {false, "", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {false, "", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {false, "", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {false, "", times('a', 1000000),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
      {true, times(0x0b, 20), "Hi There",
       "b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7"},
      {true, "Jefe", "what do ya want for nothing?",
       "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843"},
      {true, times(0xaa, 20), times(0xdd, 50),
       "773ea91e36800e46854db8ebd09181a72959098b3ef8c122d9635514ced565fe"},
      {true, counting(1, 25), times(0xcd, 50),
       "82558a389a443c0ea4cc819899f2083a85f0faa3e578f8077a2e3ff46729665b"},
      {true, big, "Test Using Larger Than Block-Size Key - Hash Key First",
       "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54"},
      {true, big,
       "This is a test using a larger than block-size key and a larger than block-size data. The "
       "key needs to be hashed before being used by the HMAC algorithm.",
       "9b09ffa71b942fcb27635fbcd5b0e944bfdc63644f0713938a7f51535c3a35e2"},
  };
}

json byteList(const std::string& s) {
  json a = json::array();
  for (char c : s) a.push_back(static_cast<unsigned char>(c));
  return a;
}

TEST(PageSigning, ThePagesSha256AndHmacGiveTheStandardVectors) {
  const fs::path dir = testing::makeTempDir();
  const std::vector<Vector> all = vectors();
  json cases = json::array();
  for (const Vector& v : all)
    cases.push_back({{"hmac", v.hmac}, {"key", byteList(v.key)}, {"data", byteList(v.data)}});
  std::ofstream(dir / "vectors.js", std::ios::binary)
      << "var window = globalThis;\n"
      << server::scripts::signing() << "\nvar cases = " << cases.dump() << ";\n"
      << "console.log(JSON.stringify(cases.map(function (c) {\n"
         "  return hex(c.hmac ? hmacSha256(c.key, c.data) : sha256(c.data)); })));\n";
  const json got =
      json::parse(run("node " + (dir / "vectors.js").string() + " 2>&1"), nullptr, false);
  fs::remove_all(dir);
  ASSERT_TRUE(got.is_array());
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Vector& v = all[i];
    EXPECT_EQ(got[i], v.digest) << i;
    const auto server = v.hmac ? server::hmacSha256(v.key, v.data) : server::sha256(v.data);
    EXPECT_EQ(server::hexText(server.data(), server.size()), v.digest) << i;
  }
}

class OrganiserSession : public testing::ServerTest {};

// The first request among the recorded connections that starts with `start`, to its body's end.
std::string recordedRequest(const fs::path& dir, const std::string& start) {
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().filename().string().rfind("sent-", 0) != 0) continue;
    const std::string sent = testing::readFile(entry.path());
    const std::size_t at = sent.find(start);
    if (at == std::string::npos) continue;
    const std::size_t headEnd = sent.find("\r\n\r\n", at);
    std::string head = sent.substr(at, headEnd - at);
    for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t length = head.find("content-length: ");
    const std::size_t n = length == std::string::npos ? 0 : std::stoul(head.substr(length + 16));
    return sent.substr(at, headEnd + 4 + n - at);
  }
  return {};
}

TEST_F(OrganiserSession, ACapturedSessionNeverHoldsTheKeyAndChangesNothingWhenSentAgain) {
  for (int i = 0; i < 12; ++i) add("P" + std::to_string(i), 1500 + 10 * i);
  for (int b = 0; b < 5; ++b) play(0, b, b + 5);
  ws_->table.opponent[10][0] = data::kBye;
  ws_->table.opponent[11][0] = data::kAbsent;
  // One club, kept apart in round 2 where it can be: it cannot, and the page says which games.
  for (int i = 1; i <= 12; ++i) ws_->players.at(i).affiliation = "Club";
  ws_->options.avoidAffiliationRounds = 2;
  serve();
  const fs::path out = fs::path(dir_) / "recorded";
  fs::create_directories(out);
  const json report = json::parse(
      run("node " TOQ_SOURCE_DIR "/tests/server/organiser_session.js " + std::to_string(port_) +
          " " + testing::kTestKey + " " + out.string() + " 2>&1"),
      nullptr, false);
  ASSERT_TRUE(report.is_object());
  EXPECT_FALSE(report.contains("error")) << report;
  EXPECT_EQ(report["results"], 5);
  // Pairing is grey with its reason until every result is in, then one tap.
  EXPECT_EQ(report["pairBefore"]["disabled"], true) << report;
  EXPECT_EQ(report["pairBefore"]["why"],
            "1回戦の結果がそろってから組み合わせられます（未入力 5組）。");
  EXPECT_EQ(report["pairAfter"]["disabled"], false) << report;
  EXPECT_EQ(report["pairAfter"]["why"], "");
  // A correction names the result it replaces and the new one.
  const std::string correction = report["correction"].get<std::string>();
  EXPECT_NE(correction.find("いまの結果：P0 の勝ち"), std::string::npos) << correction;
  EXPECT_NE(correction.find("新しい結果：P5 の勝ち"), std::string::npos) << correction;
  // The round's bye and absence under the boards.
  EXPECT_EQ(report["sittingOut"], json::array({"抜け番：P10", "休場：P11"})) << report;
  EXPECT_EQ(report["completeShown"], true);
  EXPECT_EQ(report["paired"], "2回戦を組み合わせました。");
  EXPECT_EQ(report["shownAfter"].get<std::string>().rfind("所属が同じ対局: 第1局 ", 0), 0u)
      << report;
  EXPECT_EQ(report["addressAfter"], "/admin");
  EXPECT_EQ(ws_->table.LastPairedRound(), 1);

  // No piece of the key, in any byte either way.
  const std::string all = testing::readFile(out / "all.bin");
  ASSERT_GT(all.size(), 10000u);
  for (std::size_t i = 0; i + 8 <= testing::kTestKey.size(); ++i)
    EXPECT_EQ(all.find(testing::kTestKey.substr(i, 8)), std::string::npos) << i;

  // A recorded change sent again, and the same with its body altered: refused, nothing changed.
  const std::string change = recordedRequest(out, "POST /api/results ");
  ASSERT_NE(change.find("X-TOQ-Signature"), std::string::npos) << change;
  std::string altered = change;
  const std::size_t row = altered.find("\"row\":");
  ASSERT_NE(row, std::string::npos);
  altered[row + 6] = altered[row + 6] == '1' ? '2' : '1';
  const std::string before = tableBytes();
  for (const std::string& request : {change, altered}) {
    const testing::HttpAnswer a = testing::sendRequest(port_, request);
    EXPECT_EQ(a.status, 401) << a.body;
  }
  EXPECT_EQ(tableBytes(), before);
  // An address of an earlier version says to use the new one and keeps nothing.
  const testing::HttpAnswer old = get("/admin?key=" + testing::kTestKey);
  EXPECT_NE(old.body.find("主催者用のアドレスが変わりました"), std::string::npos);
  EXPECT_EQ(old.body.find("sessionStorage"), std::string::npos);
  EXPECT_EQ(old.body.find("fetch("), std::string::npos);
}

}  // namespace
}  // namespace toq
