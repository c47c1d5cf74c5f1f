#pragma once
// A short list of row indices on the stack.

#include <array>

#include "data/table.h"

namespace toq::pairing {

/// A list of at most 100 row indices, kept on the stack.
struct RowList {
  std::array<int, data::kMaxRows> rows{};
  int count = 0;

  void push(int row) {
    if (count < data::kMaxRows) rows[static_cast<std::size_t>(count++)] = row;
  }
  int operator[](int k) const { return rows[static_cast<std::size_t>(k)]; }
  int& operator[](int k) { return rows[static_cast<std::size_t>(k)]; }
  bool empty() const { return count == 0; }
};

}  // namespace toq::pairing
