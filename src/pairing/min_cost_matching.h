#pragma once
// Least-cost perfect matching of a small general graph, by Edmonds' weighted blossom algorithm
// in integer arithmetic: polynomial time, no recursion, fixed small capacity.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace toq::pairing {

/// Largest number of vertices a matching accepts (a table has at most 99 rows).
inline constexpr int kMaxMatchingVertices = 128;
/// Largest magnitude of an edge cost; keeps every dual value far inside 64 bits.
inline constexpr std::int64_t kMaxMatchingCost = std::int64_t{1} << 36;

/// An allowed pair of vertices and what pairing them costs.
struct MatchingEdge {
  int a = 0;              ///< one vertex, 0..n-1
  int b = 0;              ///< the other vertex, 0..n-1
  std::int64_t cost = 0;  ///< |cost| <= kMaxMatchingCost
};

/// A perfect matching: its total cost and every vertex's mate.
struct PerfectMatching {
  std::int64_t cost = 0;  ///< sum of the costs of the matched edges
  std::vector<int> mate;  ///< mate[v] for v = 0..n-1
};

/// A least-cost perfect matching of vertices 0..n-1 using only the given edges. Of parallel
/// edges the cheapest counts; loops are ignored. None when no perfect matching exists, or when
/// n, a vertex or a cost is out of range.
std::optional<PerfectMatching> minCostPerfectMatching(int n, std::span<const MatchingEdge> edges);

/// Of all least-cost perfect matchings, the one whose mate vector is lexicographically
/// smallest: the first least-cost one met when every perfect matching is enumerated by giving
/// the lowest unmatched vertex each of its possible mates in ascending order. Same failures as
/// minCostPerfectMatching.
std::optional<PerfectMatching> firstMinCostPerfectMatching(int n,
                                                           std::span<const MatchingEdge> edges);

}  // namespace toq::pairing
