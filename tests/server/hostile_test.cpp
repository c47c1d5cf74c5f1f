// Bad and hostile requests: each is answered with its status, the server stays up, and the
// table file stays byte for byte as it was.
#include <cctype>

#include "server/server_fixture.h"
#include "server/sha256.h"
#include "support/html_check.h"
#include "text/cp932.h"

namespace toq {
namespace {

using nlohmann::json;
using testing::HttpAnswer;
using testing::kTestKey;
using testing::requestBytes;

class Hostile : public testing::ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    add(text::sj("<script>alert(1)</script>"));
    add("B\"'&<b>");
    add("C");
    add("D");
    play(0, 0, 1);
    play(0, 2, 3);
  }
  HttpAnswer raw(const std::string& bytes) { return testing::sendRequest(port_, bytes); }
  /// A result POST with the organiser's key and a JSON body as given.
  std::string keyedPost(const std::string& body, const std::string& type = "application/json") {
    std::vector<std::string> headers = {"Authorization: Bearer " + kTestKey};
    if (!type.empty()) headers.push_back("Content-Type: " + type);
    return requestBytes("POST", "/api/results", headers, body);
  }
};

TEST_F(Hostile, EveryBadRequestIsRefusedWithItsStatusAndTheTableStaysAsItWas) {
  serve();
  const std::string before = tableBytes();
  const std::string big(70 * 1024, 'a');
  std::string deep(20000, '[');
  deep += std::string(20000, ']');
  const struct {
    const char* what;
    std::string bytes;
    int status;
  } cases[] = {
      {"body over 64 KB", keyedPost(big), 413},
      {"chunked body over 64 KB",
       "POST /api/results HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " + kTestKey +
           "\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n11800\r\n" +
           big + "\r\n0\r\n\r\n",
       413},
      {"round as text", keyedPost(R"({"round":"1","row":1,"result":"win"})"), 400},
      {"round as a fraction", keyedPost(R"({"round":1.5,"row":1,"result":"win"})"), 400},
      {"round as true", keyedPost(R"({"round":true,"row":1,"result":"win"})"), 400},
      {"unknown field", keyedPost(R"({"round":1,"row":1,"result":"win","board":1})"), 400},
      {"missing field", keyedPost(R"({"round":1,"result":"win"})"), 400},
      {"round 0", keyedPost(R"({"round":0,"row":1,"result":"win"})"), 400},
      {"round 33", keyedPost(R"({"round":33,"row":1,"result":"win"})"), 400},
      {"row -1", keyedPost(R"({"round":1,"row":-1,"result":"win"})"), 400},
      {"row 100", keyedPost(R"({"round":1,"row":100,"result":"win"})"), 400},
      {"row beyond 64 bits", keyedPost(R"({"round":1,"row":99999999999999999999,"result":"win"})"),
       400},
      {"row 1e30", keyedPost(R"({"round":1,"row":1e30,"result":"win"})"), 400},
      {"row of the table's range but not its rows",
       keyedPost(R"({"round":1,"row":5,"result":"win"})"), 400},
      {"unknown result word", keyedPost(R"({"round":1,"row":1,"result":"WIN"})"), 400},
      {"result as a number", keyedPost(R"({"round":1,"row":1,"result":3})"), 400},
      {"invalid UTF-8", keyedPost("{\"round\":1,\"row\":1,\"result\":\"w\xff\"}"), 400},
      {"surrogate in UTF-8", keyedPost("{\"round\":1,\"row\":1,\"result\":\"\xed\xa0\x80\"}"), 400},
      {"not JSON", keyedPost("round=1&row=1&result=win"), 400},
      {"an array", keyedPost("[1,1,\"win\"]"), 400},
      {"deeply nested", keyedPost(deep), 400},
      {"two objects", keyedPost(R"({"round":1,"row":1,"result":"win"}{})"), 400},
      {"plain text type", keyedPost(R"({"round":1,"row":1,"result":"win"})", "text/plain"), 415},
      {"no type", keyedPost(R"({"round":1,"row":1,"result":"win"})", ""), 415},
      {"form type", keyedPost("round=1", "application/x-www-form-urlencoded"), 415},
      {"no key", requestBytes("POST", "/api/results", {"Content-Type: application/json"}, "{}"),
       401},
      {"wrong key",
       requestBytes(
           "POST", "/api/results",
           {"Content-Type: application/json", "Authorization: Bearer " + std::string(32, 'f')},
           R"({"round":1,"row":1,"result":"win"})"),
       401},
      {"key as basic credentials",
       requestBytes("POST", "/api/pair", {"Authorization: Basic " + kTestKey}, ""), 401},
      {"pairing without key", requestBytes("POST", "/api/pair"), 401},
      {"desk while off",
       requestBytes("POST", "/api/desk/results", {"Content-Type: application/json"},
                    R"({"round":1,"row":1,"result":"win"})"),
       404},
      {"parent folder", requestBytes("GET", "/../cup.tai"), 404},
      {"encoded parent folder", requestBytes("GET", "/%2e%2e/cup.tai"), 404},
      {"encoded parent folder in the API", requestBytes("GET", "/api/%2e%2e/%2e%2e/cup.tai"), 404},
      {"dots inside a route", requestBytes("GET", "/api/../api/event"), 404},
      {"the table file", requestBytes("GET", "/cup.tai"), 404},
      {"an absolute path", requestBytes("GET", "//etc/passwd"), 404},
      {"absolute form", requestBytes("GET", "http://127.0.0.1/etc/passwd"), 404},
      {"backslashes", requestBytes("GET", "/..\\..\\cup.tai"), 404},
      {"a route with a slash more", requestBytes("GET", "/api/event/"), 404},
      {"a route in capitals", requestBytes("GET", "/API/EVENT"), 404},
      {"NUL in the path", std::string("GET /api/event\0x HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", 44),
       400},
      {"cross-site check", requestBytes("OPTIONS", "/api/results", {"Origin: http://evil.example"}),
       405},
      {"other method", requestBytes("DELETE", "/api/event"), 405},
      {"GET of a POST route", requestBytes("GET", "/api/results"), 405},
      {"foreign host name", "GET /api/event HTTP/1.1\r\nHost: evil.example\r\n\r\n", 400},
      {"foreign host name with port", "GET / HTTP/1.1\r\nHost: evil.example:8080\r\n\r\n", 400},
      {"no request line", "\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n", 400},
      {"headers over their limit",
       "GET /api/event HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Pad: " + std::string(10000, 'x') +
           "\r\n\r\n",
       431},
  };
  for (const auto& c : cases) {
    const HttpAnswer a = raw(c.bytes);
    EXPECT_EQ(a.status, c.status) << c.what << ": " << a.body;
    if (a.status == 0) continue;
    EXPECT_FALSE(a.has("access-control-allow-origin")) << c.what;
    EXPECT_EQ(a.header("x-content-type-options"), "nosniff") << c.what;
    EXPECT_NE(a.header("content-security-policy").find("default-src 'none'"), std::string::npos)
        << c.what;
    if (a.status != 413 && a.status != 431) {
      EXPECT_TRUE(json::parse(a.body, nullptr, false).contains("error")) << c.what;
    }
  }
  EXPECT_EQ(tableBytes(), before);
  EXPECT_EQ(get("/api/event").status, 200) << "the server still answers";
}

TEST_F(Hostile, MessagesNameTheFaultOfTheBody) {
  serve();
  const struct {
    const char* body;
    const char* message;
  } cases[] = {
      {R"({"round":"1","row":1,"result":"win"})", "項目 round は整数で指定してください。"},
      {R"({"round":1,"row":1,"result":"win","x":0})", "項目 x はありません。"},
      {R"({"round":1,"result":"win"})", "項目 row がありません。"},
      {R"({"round":1,"row":100,"result":"win"})", "項目 row が範囲外です。"},
      {R"({"round":1,"row":1,"result":"WIN"})",
       "result は win、loss、draw、clear のいずれかで指定してください。"},
      {"{\"round\":1,\"row\":1,\"result\":\"\xc0\xaf\"}", "UTF-8 として正しくない文字があります。"},
      {"[]", "JSON のオブジェクトで送ってください。"},
      {"{", "JSON を読み取れませんでした。"},
  };
  for (const auto& c : cases) {
    const HttpAnswer a = post("/api/results", c.body);
    EXPECT_EQ(a.status, 400) << c.body;
    EXPECT_EQ(json::parse(a.body)["error"], c.message) << c.body;
  }
}

TEST_F(Hostile, TwentyWrongKeysFromAnAddressBlockItsGuessesForAMinuteButNotTheRightKey) {
  serve();
  const std::string before = tableBytes();
  const std::string body = resultBody(1, 1, "win");
  for (int i = 0; i < 20; ++i) {
    const HttpAnswer a = post("/api/results", body, std::string(32, 'a' + i % 6));
    ASSERT_EQ(a.status, 401) << i;
  }
  // A further wrong key is refused without being looked at.
  HttpAnswer a = post("/api/results", body, std::string(32, 'f'));
  EXPECT_EQ(a.status, 429);
  EXPECT_EQ(a.header("retry-after"), "60");
  EXPECT_EQ(json::parse(a.body)["error"],
            "鍵の誤りが続いたため、しばらく受け付けません。1分ほど待ってください。");
  EXPECT_EQ(tableBytes(), before);
  // Reading stays open, and the organiser behind the same address is never locked out.
  EXPECT_EQ(get("/api/pairings").status, 200);
  EXPECT_EQ(post("/api/results", body).status, 200);
}

TEST_F(Hostile, NamesAreTextOnEveryPageAndEachPageRunsOnlyItsHashedScript) {
  serve(true);
  for (const char* target : {"/", "/display", "/desk", "/admin?key=x"}) {
    const HttpAnswer a = get(target);
    ASSERT_EQ(a.status, 200) << target;
    EXPECT_EQ(a.header("content-type"), "text/html; charset=utf-8");
    EXPECT_EQ(a.body.find("<script>alert"), std::string::npos) << target;
    EXPECT_EQ(a.body.find("<b>"), std::string::npos) << target;
    const testing::HtmlDocument doc = testing::parseHtml(a.body);
    EXPECT_TRUE(doc.ok()) << target << ": " << doc.error;
    // One inline script, named by its hash; nothing else may run or load.
    const auto scripts = doc.root.all("script");
    ASSERT_EQ(scripts.size(), 1u) << target;
    const std::string policy = a.header("content-security-policy");
    EXPECT_NE(
        policy.find("script-src " + server::scriptHashSource(scripts[0]->textContent()) + ";"),
        std::string::npos)
        << target << ": " << policy;
    EXPECT_NE(policy.find("default-src 'none'"), std::string::npos);
    EXPECT_EQ(policy.find("unsafe-eval"), std::string::npos);
    EXPECT_EQ(a.header("x-content-type-options"), "nosniff");
    EXPECT_FALSE(a.has("access-control-allow-origin"));
    // No resource from elsewhere.
    EXPECT_EQ(a.body.find("http://"), std::string::npos) << target;
    EXPECT_EQ(a.body.find("https://"), std::string::npos) << target;
  }
  const std::string home = get("/").body;
  EXPECT_NE(home.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
  EXPECT_NE(home.find("B&quot;&#39;&amp;&lt;b&gt;"), std::string::npos);
  // JSON carries the names as they are, as JSON text.
  const json p = json::parse(get("/api/pairings").body);
  EXPECT_EQ(p["boards"][0]["players"][0]["name"], "<script>alert(1)</script>");
}

TEST_F(Hostile, TheAccessLogNeverHoldsTheKey) {
  serve();
  ASSERT_EQ(post("/api/results", resultBody(1, 1, "win")).status, 200);
  ASSERT_EQ(get("/admin?key=" + kTestKey).status, 200);
  EXPECT_EQ(get("/" + kTestKey).status, 404);
  EXPECT_EQ(raw(requestBytes("GET", "/x", {"Authorization: Bearer " + kTestKey})).status, 404);
  server_->stop();
  const std::vector<std::string> lines = logLines();
  ASSERT_GE(lines.size(), 4u);
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find(kTestKey), std::string::npos) << line;
    // "2026-12-06 16:11:05 127.0.0.1 \"GET /\" 200 ..."
    ASSERT_GT(line.size(), 32u) << line;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18})
      EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(line[i]))) << line;
    EXPECT_EQ(line.substr(19, 12), " 127.0.0.1 \"") << line;
  }
  EXPECT_NE(lines[0].find("\"POST /api/results\" 200"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("\"GET /admin\" 200"), std::string::npos) << lines[1];
}

}  // namespace
}  // namespace toq
