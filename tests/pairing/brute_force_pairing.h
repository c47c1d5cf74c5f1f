#pragma once
// The exhaustive search written out literally, as the reference for the exact one: every
// complete assignment is enumerated (depth d over the rows in order, rows already paired passed
// over, candidates i in row order), each is evaluated, and the first of least cost is kept
// (only a strictly smaller cost replaces it). Exponential: for small instances and the
// benchmark's comparison only.

#include <cstdint>
#include <vector>

namespace toq::testing {

/// What the enumeration found.
struct BruteForceResult {
  long long count = 0;          ///< complete assignments evaluated
  std::int64_t cost = 0;        ///< cost of the kept assignment
  std::vector<int> assignment;  ///< the kept assignment; empty when nothing was kept
};

/// `start`: the working assignment at the start, one entry per row, -1 for a row without
/// opponent (any other value: the row is paired already and is passed over).
/// `allowed(d, i)`: may row d take row i (asked with d the lowest open row).
/// `evaluate(assignment)`: cost of a complete assignment.
/// `initialBest`: the cost an assignment must beat to be kept.
template <class Allowed, class Evaluate>
BruteForceResult bruteForcePairing(const std::vector<int>& start, Allowed allowed,
                                   Evaluate evaluate, std::int64_t initialBest = 10000) {
  // Plain arrays: the tests run unoptimised builds, where every vector access is a call.
  struct Enumeration {
    const int* start;
    int* work;
    int n;
    Allowed& allowed;
    Evaluate& evaluate;
    std::vector<int>& assignment;
    std::int64_t best;
    BruteForceResult result;

    void descend(int d) {
      if (d >= n) {
        ++result.count;
        const std::int64_t cost = evaluate(assignment);
        if (cost < best) {
          best = cost;
          result.cost = cost;
          result.assignment = assignment;
        }
        return;
      }
      if (start[d] != -1 || work[d] != -1) {
        descend(d + 1);
        return;
      }
      for (int i = 0; i < n; ++i) {
        if (i == d || work[i] != -1 || start[i] != -1 || !allowed(d, i)) continue;
        work[d] = i;
        work[i] = d;
        descend(d + 1);
        work[d] = -1;
        work[i] = -1;
      }
    }
  };
  std::vector<int> work = start;
  Enumeration e{start.data(), work.data(), static_cast<int>(work.size()), allowed, evaluate, work,
                initialBest,  {}};
  e.descend(0);
  return e.result;
}

}  // namespace toq::testing
