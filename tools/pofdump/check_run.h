#pragma once
// pofdump --check: reads each file as File > Open does, checks the model and prints the
// findings as compilers print diagnostics, or as JSON.

#include <ostream>

#include "options.h"

namespace pofdump {

// 0 when no file has an error finding, 1 when one has.
int run_check(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace pofdump
