#pragma once
// The weighted blossom algorithm on a dense cost matrix: the engine behind
// minCostPerfectMatching. Callers outside the matching use min_cost_matching.h.

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace toq::pairing {

/// Largest number of vertices.
inline constexpr int kMaxDenseVertices = 128;
/// Marks a missing edge in a dense cost matrix.
inline constexpr std::int64_t kNoEdge = std::numeric_limits<std::int64_t>::max();
/// Largest magnitude of a cost in the dense matrix (2^46); with n <= 128 every dual value and
/// slack then stays far inside 64 bits.
inline constexpr std::int64_t kMaxDenseCost = std::int64_t{1} << 46;

/// Mates of a least-cost perfect matching of vertices 0..n-1 (n <= kMaxDenseVertices), where cost[a
/// * n + b] is the cost of edge {a, b} or kNoEdge. The matrix must be symmetric with kNoEdge on the
/// diagonal. None when no perfect matching exists.
std::optional<std::vector<int>> solveDenseMatching(int n, const std::vector<std::int64_t>& cost);

}  // namespace toq::pairing
