#include "pairing/blossom.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace toq::pairing {
namespace {

/// Label of a top-level blossom within one stage.
enum Label : std::uint8_t { kFree = 0, kOuter = 1, kInner = 2 };

/// One run of the primal-dual blossom algorithm for a least-cost perfect matching.
///
/// Blossom ids: the vertices are 0..n-1, nontrivial blossoms take ids n..2n-1. A blossom is an
/// odd cycle of children (sub-blossoms) starting at the child that holds its base, with the
/// edge that links each child to the next.
///
/// Dual constraint of an edge {u, w}: y(u) + y(w) - z(every blossom holding both) <= cost.
/// Costs are doubled on entry, so every dual value stays an integer: in every stage all exposed
/// vertices are roots and move together, so they share one parity, which tight edges pass on to
/// every vertex of an alternating tree; blossom duals only ever move by even amounts. Hence the
/// slack of an edge between two outer blossoms is even and half of it is exact.
///
/// Each stage grows alternating trees from all exposed vertices at once and ends with one
/// augmentation, or with the proof (an unbounded dual) that no perfect matching exists.
class BlossomSolver {
 public:
  BlossomSolver(int n, const std::vector<std::int64_t>& cost);
  bool solve();
  const std::vector<int>& mates() const { return mate_; }

 private:
  /// An edge between two children of a blossom: (vertex in the first, vertex in the second).
  using Link = std::pair<int, int>;

  std::int64_t cost(int u, int w) const { return cost_[u * n_ + w]; }
  /// Slack of an edge whose ends lie in different top-level blossoms.
  std::int64_t slack(int u, int w) const { return cost(u, w) - dual_[u] - dual_[w]; }

  bool runStage();
  bool dualStep(bool& augmented);
  void makeOuter(int b, int from, int to);
  void labelInner(int b, int from, int to);
  void noteOuterPair(int v, int w, std::int64_t s);
  int refreshBestOuter(int v);
  bool joinOuter(int v, int w);
  int findCommonBlossom(int v, int w);
  void addBlossom(int baseBlossom, int v, int w);
  void augment(int s, int j);
  void rebase(int b, int v);
  void expandBlossom(int b, bool endOfStage);
  void relabelPath(int b, int entry);
  void expandSpentBlossoms();
  template <class F>
  void forEachVertex(int b, F fn);

  int n_;
  std::vector<std::int64_t> cost_;     ///< doubled costs, n x n, kNoEdge for none
  std::vector<std::vector<int>> adj_;  ///< neighbours of every vertex
  std::vector<std::int64_t> dual_;     ///< y of vertices, z of blossoms (doubled)
  std::vector<int> mate_;              ///< mate of every vertex, -1 when exposed
  std::vector<int> top_;               ///< top-level blossom holding each vertex
  std::vector<int> parent_;            ///< enclosing blossom, -1 at top level
  std::vector<int> base_;              ///< base vertex of every blossom
  std::vector<std::vector<int>> children_;
  std::vector<std::vector<Link>> links_;  ///< links_[b][i] joins children i and i+1 (cyclic)
  std::vector<std::uint8_t> inUse_;
  std::vector<std::uint8_t> label_;
  /// The tree edge by which a top-level blossom got its label: the vertex outside it (an outer
  /// vertex for an inner blossom; the mate of the base for an outer one) and the vertex inside.
  std::vector<int> labelFrom_, labelTo_;
  /// For a vertex that is not outer: the outer vertex with the least slack edge to it.
  std::vector<int> bestFree_;
  /// For an outer vertex: an outer vertex of another top-level blossom with least slack.
  std::vector<int> bestOuter_;
  std::vector<int> freeIds_;
  std::vector<int> queue_;  ///< outer vertices whose edges are still to be scanned
  std::vector<std::uint8_t> mark_;
  std::vector<int> trail_, climb_, walk_, expandJobs_;
  std::vector<std::pair<int, int>> rebaseJobs_;
};

BlossomSolver::BlossomSolver(int n, const std::vector<std::int64_t>& cost)
    : n_(n),
      cost_(n * n, kNoEdge),
      adj_(n),
      dual_(2 * n, 0),
      mate_(n, -1),
      top_(n),
      parent_(2 * n, -1),
      base_(2 * n, -1),
      children_(2 * n),
      links_(2 * n),
      inUse_(2 * n, 0),
      label_(2 * n, kFree),
      labelFrom_(2 * n, -1),
      labelTo_(2 * n, -1),
      bestFree_(n, -1),
      bestOuter_(n, -1),
      mark_(2 * n, 0) {
  std::int64_t least = 0;
  bool any = false;
  for (int u = 0; u < n; ++u) {
    for (int w = 0; w < n; ++w) {
      const std::int64_t c = cost[u * n + w];
      if (u == w || c == kNoEdge) continue;
      cost_[u * n + w] = 2 * c;
      adj_[u].push_back(w);
      if (!any || c < least) least = c;
      any = true;
    }
  }
  // y = least cost on every vertex (the doubled least cost split over both ends) is feasible.
  for (int v = 0; v < n; ++v) {
    dual_[v] = least;
    top_[v] = v;
    base_[v] = v;
    inUse_[v] = 1;
  }
  for (int b = 2 * n - 1; b >= n; --b) freeIds_.push_back(b);
}

template <class F>
void BlossomSolver::forEachVertex(int b, F fn) {
  walk_.clear();
  walk_.push_back(b);
  while (!walk_.empty()) {
    const int x = walk_.back();
    walk_.pop_back();
    if (x < n_) {
      fn(x);
    } else {
      for (int c : children_[x]) walk_.push_back(c);
    }
  }
}

bool BlossomSolver::solve() {
  if (n_ % 2 != 0) return false;
  for (const auto& a : adj_)
    if (a.empty()) return false;
  for (int stage = 0; stage < n_ / 2; ++stage) {
    if (!runStage()) return false;
    expandSpentBlossoms();
  }
  return true;
}

void BlossomSolver::makeOuter(int b, int from, int to) {
  label_[b] = kOuter;
  labelFrom_[b] = from;
  labelTo_[b] = to;
  forEachVertex(b, [this](int u) { queue_.push_back(u); });
}

void BlossomSolver::labelInner(int b, int from, int to) {
  label_[b] = kInner;
  labelFrom_[b] = from;
  labelTo_[b] = to;
  // Every exposed vertex is a root, so the base of a free blossom is matched; its mate is the
  // base of the blossom that becomes outer below it.
  const int base = base_[b];
  const int m = mate_[base];
  if (m >= 0) makeOuter(top_[m], base, m);
}

void BlossomSolver::noteOuterPair(int v, int w, std::int64_t s) {
  const auto better = [&](int x) {
    const int best = bestOuter_[x];
    return best == -1 || top_[best] == top_[x] || s < slack(x, best);
  };
  if (better(v)) bestOuter_[v] = w;
  if (better(w)) bestOuter_[w] = v;
}

int BlossomSolver::refreshBestOuter(int v) {
  int best = -1;
  std::int64_t least = 0;
  for (int u : adj_[v]) {
    if (top_[u] == top_[v] || label_[top_[u]] != kOuter) continue;
    const std::int64_t s = slack(v, u);
    if (best == -1 || s < least) {
      best = u;
      least = s;
    }
  }
  bestOuter_[v] = best;
  return best;
}

bool BlossomSolver::runStage() {
  std::fill(label_.begin(), label_.end(), kFree);
  std::fill(labelFrom_.begin(), labelFrom_.end(), -1);
  std::fill(labelTo_.begin(), labelTo_.end(), -1);
  std::fill(bestFree_.begin(), bestFree_.end(), -1);
  std::fill(bestOuter_.begin(), bestOuter_.end(), -1);
  queue_.clear();
  for (int b = 0; b < 2 * n_; ++b)
    if (inUse_[b] && parent_[b] == -1 && mate_[base_[b]] == -1) makeOuter(b, -1, -1);

  // A stage takes O(n) dual steps; the bound only guards against a hang on broken state.
  const long long maxSteps = 4LL * n_ * n_ + 64;
  for (long long step = 0; step < maxSteps; ++step) {
    while (!queue_.empty()) {
      const int v = queue_.back();
      queue_.pop_back();
      for (int w : adj_[v]) {
        const int bw = top_[w];
        if (top_[v] == bw) continue;
        const std::int64_t s = slack(v, w);
        if (label_[bw] == kOuter) {
          if (s != 0) {
            noteOuterPair(v, w, s);
          } else if (joinOuter(v, w)) {
            return true;
          }
        } else {
          if (bestFree_[w] == -1 || s < slack(bestFree_[w], w)) bestFree_[w] = v;
          if (s == 0 && label_[bw] == kFree) labelInner(bw, v, w);
        }
      }
    }
    bool augmented = false;
    if (!dualStep(augmented)) return false;
    if (augmented) return true;
  }
  return false;
}

// Moves the duals by the largest amount that keeps them feasible, then acts on the edge or
// blossom that stopped it. False when nothing stops it: the dual is unbounded, so no perfect
// matching exists.
bool BlossomSolver::dualStep(bool& augmented) {
  enum Event { kNone, kTightToFree, kTightOuter, kInnerSpent };
  Event event = kNone;
  std::int64_t delta = 0;
  int ea = -1;
  int eb = -1;
  const auto consider = [&](std::int64_t d, Event e, int a, int b) {
    if (event == kNone || d < delta) {
      delta = d;
      event = e;
      ea = a;
      eb = b;
    }
  };
  for (int v = 0; v < n_; ++v) {
    const int b = top_[v];
    if (label_[b] == kFree) {
      if (bestFree_[v] != -1) consider(slack(bestFree_[v], v), kTightToFree, bestFree_[v], v);
    } else if (label_[b] == kOuter) {
      int u = bestOuter_[v];
      if (u != -1 && top_[u] == b) u = refreshBestOuter(v);
      if (u != -1) consider(slack(v, u) / 2, kTightOuter, v, u);
    }
  }
  for (int b = n_; b < 2 * n_; ++b)
    if (inUse_[b] && parent_[b] == -1 && label_[b] == kInner)
      consider(dual_[b] / 2, kInnerSpent, b, -1);
  if (event == kNone) return false;

  for (int v = 0; v < n_; ++v) {
    const std::uint8_t l = label_[top_[v]];
    if (l == kOuter) dual_[v] += delta;
    if (l == kInner) dual_[v] -= delta;
  }
  for (int b = n_; b < 2 * n_; ++b) {
    if (!inUse_[b] || parent_[b] != -1) continue;
    if (label_[b] == kOuter) dual_[b] += 2 * delta;
    if (label_[b] == kInner) dual_[b] -= 2 * delta;
  }

  switch (event) {
    case kTightToFree:
      labelInner(top_[eb], ea, eb);
      break;
    case kTightOuter:
      augmented = joinOuter(ea, eb);
      break;
    case kInnerSpent:
      expandBlossom(ea, false);
      break;
    case kNone:
      break;
  }
  return true;
}

// A tight edge between two outer vertices of different top-level blossoms: closes an odd
// cycle (a new blossom) within one tree, or joins two trees into an augmenting path.
bool BlossomSolver::joinOuter(int v, int w) {
  const int b = findCommonBlossom(v, w);
  if (b >= 0) {
    addBlossom(b, v, w);
    return false;
  }
  augment(v, w);
  augment(w, v);
  return true;
}

// Climbs from both ends towards their roots in turn; the first blossom reached from both sides
// is the base of the new blossom. -1 when the two roots differ.
int BlossomSolver::findCommonBlossom(int v, int w) {
  trail_.clear();
  int found = -1;
  int x = v;
  int y = w;
  while (x != -1 || y != -1) {
    if (x != -1) {
      const int b = top_[x];
      if (mark_[b]) {
        found = b;
        break;
      }
      mark_[b] = 1;
      trail_.push_back(b);
      x = labelFrom_[b] == -1 ? -1 : labelFrom_[top_[labelFrom_[b]]];
    }
    std::swap(x, y);
  }
  for (int b : trail_) mark_[b] = 0;
  return found;
}

void BlossomSolver::addBlossom(int baseBlossom, int v, int w) {
  const int nb = freeIds_.back();
  freeIds_.pop_back();
  inUse_[nb] = 1;
  parent_[nb] = -1;
  base_[nb] = base_[baseBlossom];
  dual_[nb] = 0;
  auto& ch = children_[nb];
  auto& ln = links_[nb];
  ch.clear();
  ln.clear();
  ch.push_back(baseBlossom);
  // Down from the base to v's blossom, then across the new edge, then up from w's blossom.
  climb_.clear();
  for (int x = top_[v]; x != baseBlossom; x = top_[labelFrom_[x]]) climb_.push_back(x);
  for (auto it = climb_.rbegin(); it != climb_.rend(); ++it) {
    ch.push_back(*it);
    ln.emplace_back(labelFrom_[*it], labelTo_[*it]);
  }
  ln.emplace_back(v, w);
  for (int x = top_[w]; x != baseBlossom; x = top_[labelFrom_[x]]) {
    ch.push_back(x);
    ln.emplace_back(labelTo_[x], labelFrom_[x]);
  }
  label_[nb] = kOuter;
  labelFrom_[nb] = labelFrom_[baseBlossom];
  labelTo_[nb] = labelTo_[baseBlossom];
  for (int c : ch) {
    parent_[c] = nb;
    const bool wasInner = label_[c] == kInner;
    forEachVertex(c, [&](int u) {
      top_[u] = nb;
      if (wasInner) queue_.push_back(u);  // inner vertices turn outer: scan them
    });
  }
}

// Flips the path from outer vertex s (now matched to j) up to the root of its tree.
void BlossomSolver::augment(int s, int j) {
  for (;;) {
    const int bs = top_[s];
    rebase(bs, s);
    mate_[s] = j;
    if (labelFrom_[bs] == -1) return;
    const int bt = top_[labelFrom_[bs]];
    const int s2 = labelFrom_[bt];
    const int j2 = labelTo_[bt];
    rebase(bt, j2);
    mate_[j2] = s2;
    s = s2;
    j = j2;
  }
}

// Makes vertex v the base of blossom b: rotates the cycle of every blossom on the way so that
// the child holding the new base comes first and rematches the links at odd positions.
void BlossomSolver::rebase(int b, int v) {
  rebaseJobs_.clear();
  rebaseJobs_.emplace_back(b, v);
  while (!rebaseJobs_.empty()) {
    const auto [x, u] = rebaseJobs_.back();
    rebaseJobs_.pop_back();
    if (x < n_) continue;
    int c = u;
    while (parent_[c] != x) c = parent_[c];
    auto& ch = children_[x];
    auto& ln = links_[x];
    const auto i = std::find(ch.begin(), ch.end(), c) - ch.begin();
    std::rotate(ch.begin(), ch.begin() + i, ch.end());
    std::rotate(ln.begin(), ln.begin() + i, ln.end());
    rebaseJobs_.emplace_back(ch[0], u);
    for (std::size_t k = 1; k + 1 < ch.size(); k += 2) {
      const auto [p, q] = ln[k];
      mate_[p] = q;
      mate_[q] = p;
      rebaseJobs_.emplace_back(ch[k], p);
      rebaseJobs_.emplace_back(ch[k + 1], q);
    }
    base_[x] = u;
  }
}

// Dissolves a blossom into its children. An inner blossom whose dual reached zero keeps its
// place in the tree through the even path of children from its entry to its base; the other
// children become free. At the end of a stage, children whose dual is zero dissolve as well.
void BlossomSolver::expandBlossom(int b, bool endOfStage) {
  expandJobs_.clear();
  expandJobs_.push_back(b);
  while (!expandJobs_.empty()) {
    const int x = expandJobs_.back();
    expandJobs_.pop_back();
    auto& ch = children_[x];
    int entry = -1;
    if (!endOfStage && label_[x] == kInner) {
      int c = labelTo_[x];
      while (parent_[c] != x) c = parent_[c];
      entry = static_cast<int>(std::find(ch.begin(), ch.end(), c) - ch.begin());
    }
    for (int c : ch) {
      parent_[c] = -1;
      forEachVertex(c, [&](int u) { top_[u] = c; });
      label_[c] = kFree;
      labelFrom_[c] = -1;
      labelTo_[c] = -1;
    }
    if (entry >= 0) relabelPath(x, entry);
    if (endOfStage)
      for (int c : ch)
        if (c >= n_ && dual_[c] == 0) expandJobs_.push_back(c);
    ch.clear();
    links_[x].clear();
    inUse_[x] = 0;
    label_[x] = kFree;
    labelFrom_[x] = -1;
    labelTo_[x] = -1;
    dual_[x] = 0;
    freeIds_.push_back(x);
  }
}

// Labels the children of expanded inner blossom b from the entry child to the base child, the
// way of even length round the cycle: inner, outer, inner, ..., inner.
void BlossomSolver::relabelPath(int b, int entry) {
  const auto& ch = children_[b];
  const auto& ln = links_[b];
  const int k = static_cast<int>(ch.size());
  label_[ch[entry]] = kInner;
  labelFrom_[ch[entry]] = labelFrom_[b];
  labelTo_[ch[entry]] = labelTo_[b];
  const bool forward = entry % 2 == 1;
  bool nextOuter = true;
  for (int i = entry; i != 0;) {
    int next = 0;
    int near = 0;
    int far = 0;
    if (forward) {
      next = (i + 1) % k;
      near = ln[i].first;
      far = ln[i].second;
    } else {
      next = i - 1;
      near = ln[next].second;
      far = ln[next].first;
    }
    if (nextOuter) {
      makeOuter(ch[next], near, far);
    } else {
      label_[ch[next]] = kInner;
      labelFrom_[ch[next]] = near;
      labelTo_[ch[next]] = far;
    }
    nextOuter = !nextOuter;
    i = next;
  }
}

void BlossomSolver::expandSpentBlossoms() {
  for (int b = n_; b < 2 * n_; ++b)
    if (inUse_[b] && parent_[b] == -1 && dual_[b] == 0) expandBlossom(b, true);
}

}  // namespace

std::optional<std::vector<int>> solveDenseMatching(int n, const std::vector<std::int64_t>& cost) {
  if (n < 0 || n > kMaxDenseVertices || cost.size() != static_cast<std::size_t>(n * n))
    return std::nullopt;
  if (n == 0) return std::vector<int>{};
  BlossomSolver solver(n, cost);
  if (!solver.solve()) return std::nullopt;
  return solver.mates();
}

}  // namespace toq::pairing
