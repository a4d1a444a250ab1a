// Every test binary's main: GUI tests run on Qt's offscreen platform, and each case leaves
// the process as it found it.
#include "tests/support/process_state.h"

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(NewProcessStateListener());
    return RUN_ALL_TESTS();
}
