// The progress window on Qt: a modal QProgressDialog showing the bytes received, with a Cancel button.
#pragma once

#include "platform/progress.h"

namespace gui {

class QtProgressDialogs : public platform::ProgressDialogs {
  public:
    std::unique_ptr<platform::ProgressView> open(const std::string& title, const std::string& text,
                                                 const platform::ProgressWords& words,
                                                 std::function<std::int64_t()> received,
                                                 std::function<void()> cancel) override;
};

void InstallProgressDialogs();
// The hand-back of background work: posted tasks run from the event loop.
void InstallPostedTaskWaker();

}  // namespace gui
