// Every writer reads and writes its settings record, so every test of this binary keeps the
// registry in a temporary config folder.
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ConfigHomeEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_home = std::make_unique<TempConfigHome>(); }
    void TearDown() override { m_home.reset(); }

private:
    std::unique_ptr<TempConfigHome> m_home;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ConfigHomeEnvironment);

} // namespace
