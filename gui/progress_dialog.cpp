#include "gui/progress_dialog.h"

#include <QApplication>
#include <QMetaObject>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <utility>

#include "platform/background.h"

namespace gui {

namespace {

class QtProgressView : public platform::ProgressView {
  public:
    QtProgressView(const std::string& title, const std::string& text, const platform::ProgressWords& words,
                   std::function<std::int64_t()> received, std::function<void()> cancel)
        : text_(QString::fromStdString(text)), words_(words), received_(std::move(received)) {
        dialog_ = new QProgressDialog(text_, QString::fromStdString(words.cancel), 0, 0,
                                      QApplication::activeWindow());
        dialog_->setWindowTitle(QString::fromStdString(title));
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setMinimumDuration(0);
        dialog_->setMinimumWidth(360);
        QObject::connect(dialog_, &QProgressDialog::canceled, dialog_, [cancel = std::move(cancel)] {
            if (cancel) cancel();
        });
        auto* timer = new QTimer(dialog_);
        QObject::connect(timer, &QTimer::timeout, dialog_, [this] { refresh(); });
        timer->start(100);
        refresh();
        dialog_->show();
    }
    ~QtProgressView() override { delete dialog_; }

  private:
    void refresh() {
        if (!dialog_ || dialog_->wasCanceled()) return;
        dialog_->setLabelText(
            text_ + QStringLiteral("\n") +
            QString::fromStdString(platform::ReceivedText(received_ ? received_() : 0, words_)));
    }

    QString text_;
    platform::ProgressWords words_;
    std::function<std::int64_t()> received_;
    QPointer<QProgressDialog> dialog_;
};

}  // namespace

std::unique_ptr<platform::ProgressView> QtProgressDialogs::open(const std::string& title,
                                                                const std::string& text,
                                                                const platform::ProgressWords& words,
                                                                std::function<std::int64_t()> received,
                                                                std::function<void()> cancel) {
    return std::make_unique<QtProgressView>(title, text, words, std::move(received), std::move(cancel));
}

void InstallProgressDialogs() {
    platform::SetProgressDialogs(std::make_shared<QtProgressDialogs>());
}

void InstallPostedTaskWaker() {
    platform::SetPostedTaskWaker([] {
        if (QCoreApplication* app = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                app, [] { platform::RunPostedTasks(); }, Qt::QueuedConnection);
        }
    });
}

}  // namespace gui
