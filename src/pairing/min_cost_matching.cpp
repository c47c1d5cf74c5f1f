#include "pairing/min_cost_matching.h"

#include <cstddef>
#include <utility>

#include "pairing/blossom.h"

namespace toq::pairing {
namespace {

// The tie-breaking costs of firstMinCostPerfectMatching (cost * m + position) must stay within
// what the dense solver takes.
static_assert(kMaxMatchingVertices <= kMaxDenseVertices);
static_assert(kMaxMatchingCost * kMaxMatchingVertices + kMaxMatchingVertices <= kMaxDenseCost);

/// Index of (a, b) in an n x n matrix.
std::size_t at(int n, int a, int b) {
  return static_cast<std::size_t>(a * n + b);
}

bool validInput(int n, std::span<const MatchingEdge> edges) {
  if (n < 0 || n > kMaxMatchingVertices) return false;
  for (const MatchingEdge& e : edges) {
    if (e.a < 0 || e.a >= n || e.b < 0 || e.b >= n) return false;
    if (e.cost > kMaxMatchingCost || e.cost < -kMaxMatchingCost) return false;
  }
  return true;
}

/// The symmetric cost matrix of the graph: the cheapest of parallel edges, no loops.
std::vector<std::int64_t> costMatrix(int n, std::span<const MatchingEdge> edges) {
  std::vector<std::int64_t> cost(at(n, n, 0), kNoEdge);
  for (const MatchingEdge& e : edges) {
    if (e.a == e.b) continue;
    std::int64_t& c = cost[at(n, e.a, e.b)];
    if (c == kNoEdge || e.cost < c) {
      c = e.cost;
      cost[at(n, e.b, e.a)] = e.cost;
    }
  }
  return cost;
}

PerfectMatching withCost(int n, const std::vector<std::int64_t>& cost, std::vector<int> mate) {
  PerfectMatching m;
  for (int v = 0; v < n; ++v)
    if (v < mate[v]) m.cost += cost[at(n, v, mate[v])];
  m.mate = std::move(mate);
  return m;
}

}  // namespace

std::optional<PerfectMatching> minCostPerfectMatching(int n, std::span<const MatchingEdge> edges) {
  if (!validInput(n, edges)) return std::nullopt;
  const std::vector<std::int64_t> cost = costMatrix(n, edges);
  std::optional<std::vector<int>> mate = solveDenseMatching(n, cost);
  if (!mate) return std::nullopt;
  return withCost(n, cost, std::move(*mate));
}

// Fixes the mate of the lowest open vertex v, then of the next, and so on. The mate is the
// smallest one with which the least cost stays reachable; one matching on the open vertices
// finds it at once when v's edges cost cost * m + (position of the other end among the m open
// vertices) and every other edge cost * m: the positions (below m) only break ties of the
// original cost. A least-cost matching found earlier that already gives v its first possible
// mate spares the run.
std::optional<PerfectMatching> firstMinCostPerfectMatching(int n,
                                                           std::span<const MatchingEdge> edges) {
  if (!validInput(n, edges)) return std::nullopt;
  const std::vector<std::int64_t> cost = costMatrix(n, edges);
  std::vector<int> fixed(n, -1);
  std::vector<int> current;  // mates of the last least-cost matching of the open vertices
  std::vector<int> open;
  std::vector<std::int64_t> scaled;
  for (int v = 0; v < n; ++v) {
    if (fixed[v] != -1) continue;
    int first = -1;
    for (int u = v + 1; u < n && first == -1; ++u)
      if (fixed[u] == -1 && cost[at(n, v, u)] != kNoEdge) first = u;
    if (first == -1) return std::nullopt;
    int partner = first;
    if (current.empty() || current[v] != first) {
      open.clear();
      for (int u = v; u < n; ++u)
        if (fixed[u] == -1) open.push_back(u);
      const int m = static_cast<int>(open.size());
      scaled.assign(at(m, m, 0), kNoEdge);
      for (int i = 0; i < m; ++i) {
        for (int j = i + 1; j < m; ++j) {
          const std::int64_t c = cost[at(n, open[i], open[j])];
          if (c == kNoEdge) continue;
          const std::int64_t w = c * m + (i == 0 ? j : 0);
          scaled[at(m, i, j)] = w;
          scaled[at(m, j, i)] = w;
        }
      }
      std::optional<std::vector<int>> mate = solveDenseMatching(m, scaled);
      if (!mate) return std::nullopt;
      current.assign(n, -1);
      for (int i = 0; i < m; ++i) current[open[i]] = open[(*mate)[i]];
      partner = current[v];
    }
    fixed[v] = partner;
    fixed[partner] = v;
  }
  return withCost(n, cost, std::move(fixed));
}

}  // namespace toq::pairing
