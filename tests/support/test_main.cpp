#include <gtest/gtest.h>

#include "tests/support/errors.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    testing_support::FailTestsOnReportedErrors();
    return RUN_ALL_TESTS();
}
