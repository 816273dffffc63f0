#pragma once
// A run's board rows as the worker keeps them and the results list shows
// them: one immutable row, shared by the worker's model and the list, so a
// row shown is never a second copy of the row stored.

#include <deque>
#include <memory>

#include "monitor/Board.h"

namespace brevaro::monitor {

using SharedRow = std::shared_ptr<const ResultRow>;

// Newest discoveries first after the baseline; the baseline's rows, in page
// order, at the end.
using BoardRows = std::deque<SharedRow>;

}  // namespace brevaro::monitor
