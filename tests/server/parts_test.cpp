// The server's small parts on their own: the hashes the pages' policy names, the key's
// comparison and limit, the readers of queries and bodies, and one request read from raw bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "server/api.h"
#include "server/http_parse.h"
#include "server/organiser_key.h"
#include "server/sha256.h"
#include "support/builders.h"

namespace toq {
namespace {

std::string hex(const std::array<std::uint8_t, 32>& d) {
  static const char* kHex = "0123456789abcdef";
  std::string out;
  for (auto b : d) {
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  return out;
}

TEST(ServerParts, Sha256AndBase64MatchTheirStandardVectors) {
  EXPECT_EQ(hex(server::sha256("")),
            "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(hex(server::sha256("abc")),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // 56 bytes: the padding takes a second block.
  EXPECT_EQ(hex(server::sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(hex(server::sha256(std::string(1000000, 'a'))),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
  const std::pair<const char*, const char*> base64[] = {{"", ""},
                                                        {"f", "Zg=="},
                                                        {"fo", "Zm8="},
                                                        {"foo", "Zm9v"},
                                                        {"foob", "Zm9vYg=="},
                                                        {"fooba", "Zm9vYmE="},
                                                        {"foobar", "Zm9vYmFy"}};
  for (const auto& [in, out] : base64) EXPECT_EQ(server::base64(in), out) << in;
  EXPECT_EQ(server::scriptHashSource("abc"),
            "'sha256-ungWv48Bz+pBQUDeXa4iI7ADYaOWF3qctBD/YfIAFa0='");
}

TEST(ServerParts, KeysAreNewHexAndComparedWhole) {
  const auto a = server::newKey();
  const auto b = server::newKey();
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->size(), 32u);
  EXPECT_EQ(a->find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_NE(*a, *b);
  const std::string key = "00112233445566778899aabbccddeeff";
  EXPECT_TRUE(server::sameKey(key, key));
  const std::string others[] = {std::string(),
                                key.substr(0, 31),
                                key + "0",
                                "10112233445566778899aabbccddeeff",
                                "00112233445566778899aabbccddeefe",
                                std::string(32, '0')};
  for (const std::string& other : others) EXPECT_FALSE(server::sameKey(other, key)) << other;
  EXPECT_FALSE(server::sameKey("", ""));
  EXPECT_EQ(server::bearerKey("Bearer abc"), "abc");
  EXPECT_EQ(server::bearerKey("bearer  abc "), "abc");
  EXPECT_EQ(server::bearerKey("Basic abc"), "");
  EXPECT_EQ(server::bearerKey("Bearer"), "");
  EXPECT_EQ(server::bearerKey("Bearerabc"), "");
}

TEST(ServerParts, WrongKeysBlockAnAddressForAMinuteFromItsOldest) {
  using Clock = server::WrongKeyLimit::Clock;
  server::WrongKeyLimit limit;
  const Clock::time_point t0 = Clock::now();
  for (int i = 0; i < 19; ++i) limit.wrongKey("10.0.0.1", t0 + std::chrono::seconds(i));
  EXPECT_FALSE(limit.blocked("10.0.0.1", t0 + std::chrono::seconds(19)));
  limit.wrongKey("10.0.0.1", t0 + std::chrono::seconds(19));
  EXPECT_TRUE(limit.blocked("10.0.0.1", t0 + std::chrono::seconds(20)));
  EXPECT_FALSE(limit.blocked("10.0.0.2", t0 + std::chrono::seconds(20)));
  // The oldest wrong key leaves the minute: 19 remain.
  EXPECT_FALSE(limit.blocked("10.0.0.1", t0 + std::chrono::seconds(60)));
  // Many addresses never grow the memory past its bound, and a blocked one stays blocked.
  for (int i = 0; i < 5000; ++i)
    limit.wrongKey("a" + std::to_string(i), t0 + std::chrono::seconds(61));
  for (int i = 0; i < 20; ++i) limit.wrongKey("b", t0 + std::chrono::seconds(62));
  EXPECT_TRUE(limit.blocked("b", t0 + std::chrono::seconds(62)));
}

TEST(ServerParts, Utf8IsCheckedStrictly) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"abc", true},
      {"\xe5\xaf\xbe", true},  // 対
      {"\xf0\x9f\x98\x80", true},
      {"\xff", false},
      {"\xc0\xaf", false},          // overlong '/'
      {"\xe0\x80\xaf", false},      // overlong
      {"\xed\xa0\x80", false},      // surrogate
      {"\xf4\x90\x80\x80", false},  // beyond U+10FFFF
      {"\xe5\xaf", false},          // cut short
      {"\xe5\x41\xbe", false},      // not a continuation
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(server::api::validUtf8(text), valid) << text;
}

TEST(ServerParts, RoundQueriesTakeOnlyARoundFromOne) {
  std::string error;
  auto q = server::api::parseRoundQuery("", error);
  ASSERT_TRUE(q);
  EXPECT_FALSE(q->round);
  q = server::api::parseRoundQuery("round=7", error);
  ASSERT_TRUE(q);
  EXPECT_EQ(q->round, 6);
  for (const char* bad : {"round=", "round=0", "round=33", "round=+1", "round=1.0", "round=%31",
                          "round=1&round=1", "x=1", "round"})
    EXPECT_FALSE(server::api::parseRoundQuery(bad, error)) << bad;
}

TEST(ServerParts, ResultBodiesBecomeZeroBasedIndicesAndResultCodes) {
  std::string error;
  const auto r = server::api::parseResultRequest(R"({"result":"draw","row":99,"round":32})", error);
  ASSERT_TRUE(r) << error;
  EXPECT_EQ(r->round, 31);
  EXPECT_EQ(r->row, 98);
  EXPECT_EQ(r->result, data::kDraw);
  EXPECT_TRUE(server::api::parsePairRequest("", error));
  EXPECT_TRUE(server::api::parsePairRequest(" {} ", error));
  EXPECT_FALSE(server::api::parsePairRequest(R"({"round":1})", error));
  EXPECT_EQ(error, "項目 round はありません。");
}

TEST(ServerParts, RawBytesGiveARequestARefusalOrNeedMore) {
  const std::string head =
      "POST /api/results?x=1 HTTP/1.1\r\nHost: 127.0.0.1:8080\r\nAuthorization: Bearer k\r\n"
      "Content-Type: application/json\r\nContent-Length: 2\r\n\r\n";
  server::ParsedRequest p = server::parseRequest(head + "{}", "192.0.2.1");
  ASSERT_TRUE(p.request);
  EXPECT_EQ(p.request->method, server::Method::Post);
  EXPECT_EQ(p.request->path, "/api/results");
  EXPECT_EQ(p.request->query, "x=1");
  EXPECT_EQ(p.request->body, "{}");
  EXPECT_EQ(p.request->authorization, "Bearer k");
  EXPECT_EQ(p.request->host, "127.0.0.1:8080");
  EXPECT_EQ(p.request->address, "192.0.2.1");
  EXPECT_TRUE(server::parseRequest(head + "{", "a").incomplete());
  p = server::parseRequest("POST / HTTP/1.1\r\nContent-Length: 70000\r\n\r\n", "a");
  ASSERT_TRUE(p.refusal);
  EXPECT_EQ(p.refusal->status, 413);
  p = server::parseRequest("GET / HTTP/1.1\r\nX: " + std::string(9000, 'x') + "\r\n\r\n", "a");
  ASSERT_TRUE(p.refusal);
  EXPECT_EQ(p.refusal->status, 431);
  p = server::parseRequest("GET / HTTP/9.9\r\n\r\n", "a");
  ASSERT_TRUE(p.refusal);
  EXPECT_EQ(p.refusal->status, 400);
}

TEST(ServerParts, EverySeedOfTheFuzzTargetIsAWholeRequest) {
  namespace fs = std::filesystem;
  int seeds = 0;
  for (const auto& e :
       fs::directory_iterator(fs::path(TOQ_SOURCE_DIR) / "fuzz/corpus/fuzz_server_request")) {
    const server::ParsedRequest p = server::parseRequest(testing::readFile(e.path()), "a");
    EXPECT_TRUE(p.request) << e.path();
    ++seeds;
  }
  EXPECT_GE(seeds, 8);
}

}  // namespace
}  // namespace toq
