#pragma once
// Helpers for pofdump's tests: model files on disk, an in-process run, and line checks.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "session.h"
#include "temp_file.h"

namespace dump_testing {

using testing_pof::TempFile;

struct Dump {
    int status = -1;
    std::string out, err;
};

inline Dump dump(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    Dump d;
    d.status = pofdump::run_command(args, out, err);
    d.out = out.str();
    d.err = err.str();
    return d;
}

// The lines stand in the text one after the other, each one whole.
inline ::testing::AssertionResult has_lines(const std::string& text,
                                            const std::vector<std::string>& lines) {
    std::string block = "\n";
    for (const auto& l : lines) block += l + "\n";
    if (("\n" + text).find(block) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "these lines:" << block << "are not in:\n" << text;
}

}  // namespace dump_testing
