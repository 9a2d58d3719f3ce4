// main() of the display tests: points $DISPLAY at the fixture's Xvfb before any test runs, so the
// library's connection (opened on first use) can only ever reach that server.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "xvfb_env.h"

namespace TeskTest {

std::string XvfbDisplayName() {
    static const std::string name = [] {
        const char* state = std::getenv("TESK_XVFB_STATE");
        std::string display;
        if (state) {
            std::ifstream in(state);
            in >> display;
        }
        return display.size() > 1 && display[0] == ':' ? display : std::string();
    }();
    return name;
}

}  // namespace TeskTest

int main(int argc, char** argv) {
    const std::string display = TeskTest::XvfbDisplayName();
    if (display.empty())
        unsetenv("DISPLAY");
    else
        setenv("DISPLAY", display.c_str(), 1);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
