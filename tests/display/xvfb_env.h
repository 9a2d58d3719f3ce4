// The display tests' view of the Xvfb fixture: its display name, and a guard that skips a test when
// the binary runs outside CTest (no fixture) but fails it when the fixture was promised and is gone.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace TeskTest {

// ":N" of the fixture's Xvfb, empty outside CTest.
std::string XvfbDisplayName();

}  // namespace TeskTest

#define TESK_REQUIRE_XVFB()                                                                         \
    do {                                                                                            \
        if (TeskTest::XvfbDisplayName().empty()) {                                                  \
            ASSERT_EQ(std::getenv("TESK_XVFB_STATE"), nullptr) << "the Xvfb fixture did not start"; \
            GTEST_SKIP() << "no Xvfb fixture (run through ctest)";                                  \
        }                                                                                           \
    } while (0)
