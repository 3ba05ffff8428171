// Takes the locale from the environment before any test runs, as the Qt viewer does at
// start-up, so running these tests under LC_ALL=de_DE.UTF-8 shows whether a text depends on it.

#include <gtest/gtest.h>

#include <clocale>

namespace {

class ProcessLocale : public ::testing::Environment {
  public:
    void SetUp() override { std::setlocale(LC_ALL, ""); }
};

[[maybe_unused]] ::testing::Environment* const process_locale =
    ::testing::AddGlobalTestEnvironment(new ProcessLocale);

}  // namespace
