#include <gtest/gtest.h>

#include "tests/demo/demo_harness.h"

namespace demo_test {
namespace {

TEST(StartupTest, SmokeFindsSle4442) {
    DemoHarness demo("sle4442");
    demo.Start();
    EXPECT_EQ(demo.view().m_nCardType, 17);
    EXPECT_EQ(demo.Status(2), "Test Succeed");
}

}  // namespace
}  // namespace demo_test
