#pragma once
// pofdump --diff A B: what differs between two models, as text or JSON records.

#include <ostream>

#include "options.h"

namespace pofdump {

// Exit status as diff(1): 0 same, 1 different (a read failure included), 2 trouble.
int run_diff(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace pofdump
