#pragma once
// A test binary run whole runs every case in one process. This listener ends each case by
// putting back what it left in process-wide state (the framework's and the program's
// statics, the environment, the working folder), so that every case starts as it would
// in a process of its own, in any order.

#include <gtest/gtest.h>

testing::TestEventListener* NewProcessStateListener();
