#pragma once
// The sample archive the build writes as sample.vp: the sample ship and a copy of it with a
// chunk pofscope does not read appended, in data/models/, beside a texture, a table and a
// file at the top, as a mod ships them.

#include <string>

namespace testing_pof {

std::string sample_archive();

}  // namespace testing_pof
