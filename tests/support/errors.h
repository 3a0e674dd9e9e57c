// What the program reports to its error sink (a handler that threw, a control looked up under a name
// the window does not have) during a test.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Collects the reports while it lives, then puts the previous sink back.
class ErrorLog {
  public:
    ErrorLog();
    ~ErrorLog();
    ErrorLog(const ErrorLog&) = delete;
    ErrorLog& operator=(const ErrorLog&) = delete;

    std::vector<std::string> errors;

  private:
    std::function<void(const std::string&)> previous_;
};

// Makes every report fail the test that caused it, unless the test collects them itself. Call once
// from a test program's main, after InitGoogleTest.
void FailTestsOnReportedErrors();

}  // namespace testing_support
