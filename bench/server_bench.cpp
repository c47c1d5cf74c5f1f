// The venue server on a table of 99 rows, over loopback on one kept-alive connection: requests
// per second and the 50th and 99th percentile of the latency of GET /api/pairings and of a
// result POST, whose answer waits for the table's write (aim: p99 under 20 ms).
//
// The table goes to the system's temporary folder, or to TOQ_BENCH_DIR when set (a real disk
// there measures the durable write).

#include <benchmark/benchmark.h>

#include <utility>

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/pair_command.h"
#include "server/queue_executor.h"
#include "server/server.h"
#include "support/recording_services.h"

namespace {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = net::ip::tcp;
namespace fs = std::filesystem;

constexpr const char* kKey = "00112233445566778899aabbccddeeff";

// A workspace of 99 rows with round 1 paired, its files, and the server over it.
struct Served {
  fs::path dir;
  std::unique_ptr<toq::edit::Workspace> ws = std::make_unique<toq::edit::Workspace>();
  std::unique_ptr<toq::server::QueueExecutor> owner;
  std::unique_ptr<toq::server::Server> server;
  std::vector<int> firstRows;  ///< the first row of each board, 1-based

  Served() {
    const char* chosen = std::getenv("TOQ_BENCH_DIR");
    dir = fs::path(chosen ? chosen : fs::temp_directory_path().string()) / "toq-server-bench";
    fs::remove_all(dir);
    fs::create_directories(dir);
    toq::services::RecordingServices quiet;
    toq::data::Table& t = ws->table;
    t.SetTableFile(dir / "bench.tai");
    ws->playerFile = dir / "bench.ply";
    for (int i = 0; i < toq::data::kMaxParticipants; ++i) {
      toq::data::Player p;
      p.name = "Player " + std::to_string(i + 1);
      p.rating = 1000 + 13 * i;
      ws->players.AddPlayer(p);
      t.AddParticipant(ws->players.at(ws->players.count()).number, quiet);
    }
    t.opponent[98][0] = toq::data::kBye;
    toq::edit::pairNextRound(*ws, quiet, {});
    toq::data::WritePlayerFile(ws->players, ws->playerFile);
    for (int row = 0; row < t.participantCount; ++row)
      if (t.opponentRow(row, 0) > row) firstRows.push_back(row + 1);
    owner = std::make_unique<toq::server::QueueExecutor>(*ws);
    server = std::make_unique<toq::server::Server>(*owner);
    toq::server::Options o;
    o.port = 0;
    o.key = kKey;
    server->start(o);
  }
  ~Served() {
    server->stop();
    owner->stop();
    fs::remove_all(dir);
  }
};

// One kept-alive connection.
class Connection {
 public:
  explicit Connection(unsigned short port) : socket_(ioc_) {
    socket_.connect(tcp::endpoint(net::ip::make_address("127.0.0.1"), port));
  }
  int send(http::request<http::string_body>& req) {
    req.set(http::field::host, "127.0.0.1");
    req.keep_alive(true);
    req.prepare_payload();
    http::write(socket_, req);
    http::response<http::string_body> res;
    http::read(socket_, buffer_, res);
    return static_cast<int>(res.result_int());
  }

 private:
  net::io_context ioc_;
  tcp::socket socket_;
  beast::flat_buffer buffer_;
};

void report(benchmark::State& state, std::vector<double>& ms) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  auto at = [&](double q) { return ms[static_cast<std::size_t>(q * (ms.size() - 1))]; };
  state.counters["p50_ms"] = at(0.50);
  state.counters["p99_ms"] = at(0.99);
  state.counters["requests/s"] =
      benchmark::Counter(static_cast<double>(ms.size()), benchmark::Counter::kIsRate);
}

template <class Request>
void measure(benchmark::State& state, Connection& c, Request next) {
  std::vector<double> ms;
  std::size_t i = 0;
  for (auto _ : state) {
    http::request<http::string_body> req = next(i++);
    const auto start = std::chrono::steady_clock::now();
    const int status = c.send(req);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                     .count());
    if (status != 200) {
      state.SkipWithError("the server did not answer 200");
      break;
    }
  }
  report(state, ms);
}

void BM_GetPairings(benchmark::State& state) {
  Served served;
  Connection c(served.server->port());
  measure(state, c, [](std::size_t) {
    return http::request<http::string_body>(http::verb::get, "/api/pairings", 11);
  });
}
BENCHMARK(BM_GetPairings)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PostResult(benchmark::State& state) {
  Served served;
  Connection c(served.server->port());
  static const char* kWords[3] = {"win", "loss", "draw"};
  measure(state, c, [&](std::size_t i) {
    http::request<http::string_body> req(http::verb::post, "/api/results", 11);
    req.set(http::field::authorization, std::string("Bearer ") + kKey);
    req.set(http::field::content_type, "application/json");
    const int row = served.firstRows[i % served.firstRows.size()];
    req.body() = "{\"round\":1,\"row\":" + std::to_string(row) + ",\"result\":\"" +
                 kWords[(i / served.firstRows.size()) % 3] + "\"}";
    return req;
  });
}
BENCHMARK(BM_PostResult)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GetHomePage(benchmark::State& state) {
  Served served;
  Connection c(served.server->port());
  measure(state, c,
          [](std::size_t) { return http::request<http::string_body>(http::verb::get, "/", 11); });
}
BENCHMARK(BM_GetHomePage)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
