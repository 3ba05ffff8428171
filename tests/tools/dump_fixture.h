#pragma once
// Helpers for pofdump's tests: model files on disk, an in-process run, and line checks.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

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

// The peak resident memory of one pofdump run whose output goes to /dev/null, in MiB.
inline double peak_mib(const std::vector<std::string>& args) {
    std::vector<std::string> all{POFDUMP_BINARY};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::fflush(stdout);  // the child must not write what the parent has buffered
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!std::freopen("/dev/null", "w", stdout)) ::_exit(126);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024;  // ru_maxrss counts KiB
}

}  // namespace dump_testing
