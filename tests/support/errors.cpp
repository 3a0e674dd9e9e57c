#include "tests/support/errors.h"

#include <gtest/gtest.h>

#include "platform/control.h"

namespace testing_support {

ErrorLog::ErrorLog()
    : previous_(platform::SetErrorSink([this](const std::string& e) { errors.push_back(e); })) {}

ErrorLog::~ErrorLog() {
    platform::SetErrorSink(std::move(previous_));
}

namespace {

class FailOnReports : public ::testing::EmptyTestEventListener {
    // Each test starts with the failing sink, whatever an earlier one left behind.
    void OnTestStart(const ::testing::TestInfo&) override {
        platform::SetErrorSink([](const std::string& e) { ADD_FAILURE() << "reported: " << e; });
    }
    void OnTestEnd(const ::testing::TestInfo&) override { platform::SetErrorSink(nullptr); }
};

}  // namespace

void FailTestsOnReportedErrors() {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FailOnReports);
}

}  // namespace testing_support
