#include "pairing/min_cost_matching.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include "pairing/brute_force_pairing.h"

namespace toq::pairing {
namespace {

constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();

/// A graph as a symmetric cost matrix (kNone: no edge) and the same as an edge list.
struct Graph {
  int n = 0;
  std::vector<std::int64_t> cost;
  std::vector<MatchingEdge> edges;

  std::int64_t at(int a, int b) const { return cost[static_cast<std::size_t>(a * n + b)]; }
};

Graph fromEdges(int n, const std::vector<MatchingEdge>& edges) {
  Graph g{n, std::vector<std::int64_t>(static_cast<std::size_t>(n * n), kNone), edges};
  for (const MatchingEdge& e : edges) {
    std::int64_t& c = g.cost[static_cast<std::size_t>(e.a * n + e.b)];
    c = std::min(c, e.cost);
    g.cost[static_cast<std::size_t>(e.b * n + e.a)] = c;
  }
  return g;
}

Graph randomGraph(std::mt19937& rng, int n, int densityPercent, std::int64_t lowCost,
                  std::int64_t highCost) {
  Graph g{n, std::vector<std::int64_t>(static_cast<std::size_t>(n * n), kNone), {}};
  std::uniform_int_distribution<std::int64_t> costOf(lowCost, highCost);
  for (int a = 0; a < n; ++a) {
    for (int b = a + 1; b < n; ++b) {
      if (static_cast<int>(rng() % 100) >= densityPercent) continue;
      const std::int64_t c = costOf(rng);
      // Sometimes the edge is listed twice, reversed and dearer: the cheaper one counts.
      if (rng() % 8 == 0) g.edges.push_back({b, a, c + 1 + static_cast<int>(rng() % 3)});
      g.edges.push_back({a, b, c});
      g.cost[static_cast<std::size_t>(a * n + b)] = c;
      g.cost[static_cast<std::size_t>(b * n + a)] = c;
    }
  }
  std::shuffle(g.edges.begin(), g.edges.end(), rng);
  return g;
}

testing::BruteForceResult enumerate(const Graph& g) {
  const std::int64_t* cost = g.cost.data();
  const int n = g.n;
  return testing::bruteForcePairing(
      std::vector<int>(static_cast<std::size_t>(n), -1),
      [&](int d, int i) { return cost[d * n + i] != kNone; },
      [&](const std::vector<int>& assignment) {
        const int* mate = assignment.data();
        std::int64_t sum = 0;
        for (int v = 0; v < n; ++v)
          if (v < mate[v]) sum += cost[v * n + mate[v]];
        return sum;
      },
      std::numeric_limits<std::int64_t>::max());
}

/// Least cost of matching every vertex of a subset, by recurrence over subsets (n <= 20), and
/// the lexicographically first least-cost matching read back from it.
std::optional<PerfectMatching> subsetRecurrence(const Graph& g) {
  const int n = g.n;
  const std::size_t full = (std::size_t{1} << n) - 1;
  std::vector<std::int64_t> best(full + 1, kNone);
  best[0] = 0;
  for (std::size_t mask = 1; mask <= full; ++mask) {
    if (std::popcount(mask) % 2 != 0) continue;
    const int low = std::countr_zero(mask);
    for (int j = low + 1; j < n; ++j) {
      if (!(mask >> j & 1) || g.at(low, j) == kNone) continue;
      const std::int64_t rest = best[mask & ~(std::size_t{1} << low) & ~(std::size_t{1} << j)];
      if (rest != kNone) best[mask] = std::min(best[mask], rest + g.at(low, j));
    }
  }
  if (best[full] == kNone) return std::nullopt;
  PerfectMatching m{best[full], std::vector<int>(static_cast<std::size_t>(n), -1)};
  std::size_t mask = full;
  while (mask != 0) {
    const int low = std::countr_zero(mask);
    for (int j = low + 1; j < n; ++j) {
      if (!(mask >> j & 1) || g.at(low, j) == kNone) continue;
      const std::size_t rest = mask & ~(std::size_t{1} << low) & ~(std::size_t{1} << j);
      if (best[rest] != kNone && best[rest] + g.at(low, j) == best[mask]) {
        m.mate[static_cast<std::size_t>(low)] = j;
        m.mate[static_cast<std::size_t>(j)] = low;
        mask = rest;
        break;
      }
    }
  }
  return m;
}

/// The matching is perfect, uses only edges of the graph, and costs what it says.
void expectValidMatching(const Graph& g, const PerfectMatching& m) {
  ASSERT_EQ(m.mate.size(), static_cast<std::size_t>(g.n));
  std::int64_t sum = 0;
  for (int v = 0; v < g.n; ++v) {
    const int u = m.mate[static_cast<std::size_t>(v)];
    ASSERT_TRUE(u >= 0 && u < g.n && u != v) << "vertex " << v;
    ASSERT_EQ(m.mate[static_cast<std::size_t>(u)], v);
    ASSERT_NE(g.at(v, u), kNone) << v << "-" << u;
    if (v < u) sum += g.at(v, u);
  }
  EXPECT_EQ(sum, m.cost);
}

TEST(MinCostMatching, SmallAndDegenerateGraphs) {
  const std::vector<MatchingEdge> none;
  auto empty = minCostPerfectMatching(0, none);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->cost, 0);
  EXPECT_TRUE(empty->mate.empty());
  EXPECT_FALSE(minCostPerfectMatching(1, none));
  EXPECT_FALSE(minCostPerfectMatching(2, none));
  EXPECT_FALSE(firstMinCostPerfectMatching(3, std::vector<MatchingEdge>{{0, 1, 0}, {1, 2, 0}}));

  // A loop is no edge; of parallel edges the cheapest counts.
  const std::vector<MatchingEdge> parallel = {{0, 0, -50}, {0, 1, 9}, {1, 0, 4}, {0, 1, 7}};
  auto two = firstMinCostPerfectMatching(2, parallel);
  ASSERT_TRUE(two);
  EXPECT_EQ(two->cost, 4);
  EXPECT_EQ(two->mate, (std::vector<int>{1, 0}));

  // Negative costs are fine.
  auto negative = minCostPerfectMatching(
      4, std::vector<MatchingEdge>{{0, 1, -5}, {2, 3, -6}, {0, 2, -1}, {1, 3, -20}});
  ASSERT_TRUE(negative);
  EXPECT_EQ(negative->cost, -21);
}

TEST(MinCostMatching, RefusesInputOutOfRange) {
  EXPECT_FALSE(minCostPerfectMatching(-2, std::vector<MatchingEdge>{}));
  EXPECT_FALSE(minCostPerfectMatching(kMaxMatchingVertices + 2, std::vector<MatchingEdge>{}));
  EXPECT_FALSE(minCostPerfectMatching(2, std::vector<MatchingEdge>{{0, 2, 1}}));
  EXPECT_FALSE(minCostPerfectMatching(2, std::vector<MatchingEdge>{{-1, 1, 1}}));
  EXPECT_FALSE(
      firstMinCostPerfectMatching(2, std::vector<MatchingEdge>{{0, 1, kMaxMatchingCost + 1}}));
  auto largest =
      firstMinCostPerfectMatching(2, std::vector<MatchingEdge>{{0, 1, -kMaxMatchingCost}});
  ASSERT_TRUE(largest);
  EXPECT_EQ(largest->cost, -kMaxMatchingCost);
}

TEST(MinCostMatching, FirstOfEqualCostMatchingsInEnumerationOrder) {
  // Four vertices, every pairing free: 0-1 2-3 comes first.
  std::vector<MatchingEdge> all;
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b) all.push_back({a, b, 0});
  EXPECT_EQ(firstMinCostPerfectMatching(4, all)->mate, (std::vector<int>{1, 0, 3, 2}));
  // 0-1 dearer: of 0-2 1-3 and 0-3 1-2 the first is kept.
  all[0].cost = 1;
  EXPECT_EQ(firstMinCostPerfectMatching(4, all)->mate, (std::vector<int>{2, 3, 0, 1}));
}

TEST(MinCostMatching, OddCyclesNeedBlossoms) {
  // Two triangles joined by one edge: every perfect matching uses the bridge.
  const std::vector<MatchingEdge> bridge = {{0, 1, 5}, {1, 2, 0}, {0, 2, 0}, {2, 3, 9},
                                            {3, 4, 0}, {4, 5, 0}, {3, 5, 0}};
  auto m = firstMinCostPerfectMatching(6, bridge);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->cost, 14);
  EXPECT_EQ(m->mate, (std::vector<int>{1, 0, 3, 2, 5, 4}));
  // A five-cycle of cheap edges with a pendant pair hung on it: the cheap cycle edges must
  // give way where the pendant attaches.
  const std::vector<MatchingEdge> flower = {{0, 1, 1}, {1, 2, 1}, {2, 3, 1}, {3, 4, 1}, {4, 0, 1},
                                            {2, 5, 3}, {5, 6, 2}, {6, 7, 8}, {7, 0, 1}, {5, 7, 40}};
  const Graph g = fromEdges(8, flower);
  const auto reference = subsetRecurrence(g);
  const auto f = firstMinCostPerfectMatching(8, flower);
  ASSERT_TRUE(f && reference);
  expectValidMatching(g, *f);
  EXPECT_EQ(f->cost, reference->cost);
  EXPECT_EQ(f->mate, reference->mate);
}

TEST(MinCostMatching, NoPerfectMatchingBehindABarrier) {
  // Removing vertices 0 and 1 leaves four odd components: no perfect matching, though every
  // vertex has edges and the vertex count is even.
  std::vector<MatchingEdge> edges;
  const int n = 40;
  for (int c = 0; c < 3; ++c) {
    const int first = 2 + 3 * c;
    for (int i = 0; i < 3; ++i) {
      edges.push_back({first + i, first + (i + 1) % 3, i});
      edges.push_back({first + i, c % 2, 1});
    }
  }
  for (int a = 11; a < n; ++a)
    for (int b = a + 1; b < n; ++b) edges.push_back({a, b, (a * b) % 5});
  edges.push_back({0, 11, 0});
  edges.push_back({1, 12, 0});
  EXPECT_FALSE(minCostPerfectMatching(n, edges));
  EXPECT_FALSE(firstMinCostPerfectMatching(n, edges));
  // Two more edges join the odd components pairwise into even ones: now it can be done.
  edges.push_back({2, 5, 3});
  edges.push_back({8, 13, 3});
  const auto m = firstMinCostPerfectMatching(n, edges);
  ASSERT_TRUE(m);
  expectValidMatching(fromEdges(n, edges), *m);
}

// The main property: on thousands of random small graphs with many equal costs, the exact
// method keeps exactly what the literal enumeration keeps.
TEST(MinCostMatching, AgreesWithTheEnumerationOnRandomGraphs) {
  std::mt19937 rng(20240601);
  int withMatching = 0;
  for (int iteration = 0; iteration < 4000; ++iteration) {
    // Mostly up to 12 vertices, now and then up to 16; odd counts too.
    const bool large = iteration % 100 == 0;
    const int n = iteration % 1000 == 0 ? 16
                  : large               ? 13 + static_cast<int>(rng() % 3)
                                        : static_cast<int>(rng() % 13);
    const int density = 20 + static_cast<int>(rng() % (large ? 51 : 81));
    const int highCost = std::array{0, 1, 2, 3, 10, 1000}[rng() % 6];
    const int lowCost = rng() % 4 == 0 ? -highCost : 0;
    const Graph g = randomGraph(rng, n, density, lowCost, highCost);
    SCOPED_TRACE(::testing::Message() << "iteration " << iteration << " n " << n);

    const testing::BruteForceResult reference = enumerate(g);
    const auto least = minCostPerfectMatching(n, g.edges);
    const auto first = firstMinCostPerfectMatching(n, g.edges);
    ASSERT_EQ(reference.count > 0, least.has_value());
    ASSERT_EQ(reference.count > 0, first.has_value());
    if (!first) continue;
    ++withMatching;
    expectValidMatching(g, *least);
    expectValidMatching(g, *first);
    EXPECT_EQ(least->cost, reference.cost);
    EXPECT_EQ(first->cost, reference.cost);
    ASSERT_EQ(first->mate, reference.assignment);
  }
  EXPECT_GT(withMatching, 1500);
}

TEST(MinCostMatching, AgreesWithTheSubsetRecurrenceUpToTwentyVertices) {
  std::mt19937 rng(77);
  for (int iteration = 0; iteration < 24; ++iteration) {
    const int n = iteration % 6 == 0 ? 20 : 16 + 2 * static_cast<int>(rng() % 2);
    const int density = 15 + static_cast<int>(rng() % 86);
    const int highCost = std::array{0, 2, 6, 50}[rng() % 4];
    const Graph g = randomGraph(rng, n, density, 0, highCost);
    SCOPED_TRACE(::testing::Message() << "iteration " << iteration << " n " << n);
    const auto reference = subsetRecurrence(g);
    const auto first = firstMinCostPerfectMatching(n, g.edges);
    ASSERT_EQ(reference.has_value(), first.has_value());
    if (!first) continue;
    expectValidMatching(g, *first);
    EXPECT_EQ(first->cost, reference->cost);
    EXPECT_EQ(first->mate, reference->mate);
  }
}

// Large graphs cannot be enumerated; the least cost must not depend on how the vertices are
// numbered or on a constant added to every cost, both methods must agree on it, and no two
// matched pairs may be swapped for cheaper ones.
TEST(MinCostMatching, LargeGraphsAreConsistent) {
  std::mt19937 rng(4242);
  for (int iteration = 0; iteration < 24; ++iteration) {
    const int n = 2 * (10 + static_cast<int>(rng() % 55));
    const int density = std::array{3, 8, 30, 100}[iteration % 4];
    const int highCost = std::array{1, 4, 16, 1000}[rng() % 4];
    const Graph g = randomGraph(rng, n, density, 0, highCost);
    SCOPED_TRACE(::testing::Message() << "iteration " << iteration << " n " << n);
    const auto least = minCostPerfectMatching(n, g.edges);
    const auto first = firstMinCostPerfectMatching(n, g.edges);

    std::vector<int> relabel(static_cast<std::size_t>(n));
    for (int v = 0; v < n; ++v) relabel[static_cast<std::size_t>(v)] = v;
    std::shuffle(relabel.begin(), relabel.end(), rng);
    std::vector<MatchingEdge> moved;
    for (const MatchingEdge& e : g.edges)
      moved.push_back({relabel[static_cast<std::size_t>(e.a)],
                       relabel[static_cast<std::size_t>(e.b)], e.cost - 7});
    const auto renumbered = minCostPerfectMatching(n, moved);

    ASSERT_EQ(least.has_value(), first.has_value());
    ASSERT_EQ(least.has_value(), renumbered.has_value());
    if (!least) continue;
    expectValidMatching(g, *least);
    expectValidMatching(g, *first);
    EXPECT_EQ(first->cost, least->cost);
    EXPECT_EQ(renumbered->cost, least->cost - 7 * (n / 2));
    const std::vector<int>& mate = first->mate;
    for (int a = 0; a < n; ++a) {
      for (int c = 0; c < n; ++c) {
        const int b = mate[static_cast<std::size_t>(a)];
        const int d = mate[static_cast<std::size_t>(c)];
        if (a == c || a == d || g.at(a, c) == kNone || g.at(b, d) == kNone) continue;
        ASSERT_LE(g.at(a, b) + g.at(c, d), g.at(a, c) + g.at(b, d));
      }
    }
  }
}

// Costs at the limit of the range, with 128 vertices: nothing overflows (the sanitizer build
// would stop), and both methods still agree with each other and with a renumbered graph.
TEST(MinCostMatching, ExtremeCostsStayExact) {
  std::mt19937 rng(1234);
  for (int n : {2, 12, 40, kMaxMatchingVertices}) {
    const Graph g = randomGraph(rng, n, n > 40 ? 60 : 100, -kMaxMatchingCost, kMaxMatchingCost);
    SCOPED_TRACE(::testing::Message() << "n " << n);
    const auto least = minCostPerfectMatching(n, g.edges);
    const auto first = firstMinCostPerfectMatching(n, g.edges);
    ASSERT_TRUE(least && first);
    expectValidMatching(g, *least);
    expectValidMatching(g, *first);
    EXPECT_EQ(first->cost, least->cost);
    if (n == 12) {
      EXPECT_EQ(first->mate, enumerate(g).assignment);
    }
    std::vector<MatchingEdge> reversed;
    for (const MatchingEdge& e : g.edges) reversed.push_back({n - 1 - e.a, n - 1 - e.b, e.cost});
    EXPECT_EQ(minCostPerfectMatching(n, reversed)->cost, least->cost);
  }
}

TEST(MinCostMatching, FullCapacityStaysFast) {
  std::mt19937 rng(99);
  const Graph g = randomGraph(rng, kMaxMatchingVertices, 100, 0, 3);
  const auto start = std::chrono::steady_clock::now();
  const auto first = firstMinCostPerfectMatching(kMaxMatchingVertices, g.edges);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(first);
  expectValidMatching(g, *first);
  EXPECT_LT(elapsed, std::chrono::seconds(20));
}

}  // namespace
}  // namespace toq::pairing
