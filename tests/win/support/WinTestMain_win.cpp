// The Windows tests' main: Google Test's, once the threads library is ready
// for threads that start and end at the same moment (ThreadLibrary_win.h).

#include <gtest/gtest.h>

#include "monitor/ThreadLibrary_win.h"

int main(int argc, char** argv) {
    brevaro::monitor::prepareThreadLibrary();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
