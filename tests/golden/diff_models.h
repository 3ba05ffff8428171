#pragma once
// Golden models of pofdump --diff: copies of the sample each changed in one way, each compared
// with the sample (A) as B.

#include <vector>

#include "golden_models.h"

namespace golden {

std::vector<Model> diff_pairs();

}  // namespace golden
