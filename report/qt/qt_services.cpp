#include "report/qt/qt_services.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QString>
#include <clocale>
#include <memory>

#include "base/cp1252.h"
#include "report/engine_texts.h"
#include "report/qt/preview_window.h"
#include "report/report.h"

namespace tarvek::report {

namespace {

QString from_cp1252(const std::string& text) {
    return QString::fromStdString(cp1252_to_utf8(text));
}

class DialogProgress : public ProgressSink {
  public:
    void Start(const std::string& caption, int maximum) override {
        const EngineTexts& texts = EngineTexts::current();
        dialog_ = std::make_unique<QProgressDialog>();
        dialog_->setCancelButtonText(from_cp1252(texts.cancel));
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setMinimumDuration(0);
        // The user may cancel, but not start something else meanwhile.
        dialog_->setWindowModality(Qt::ApplicationModal);
        // Saving is announced in the title; any other step (preparing) runs
        // under the printing title with the step as its label.
        if (caption == texts.saving) {
            dialog_->setWindowTitle(from_cp1252(texts.saving));
        } else {
            dialog_->setWindowTitle(from_cp1252(texts.printing));
            dialog_->setLabelText(from_cp1252(caption));
        }
        dialog_->setRange(0, std::max(maximum, 0));  // 0..0: busy indicator
        dialog_->setValue(0);
        dialog_->show();
        QCoreApplication::processEvents();
    }

    void Step(const std::string& text) override {
        if (!dialog_) return;
        if (!text.empty()) dialog_->setLabelText(from_cp1252(text));
        if (dialog_->maximum() > 0)
            dialog_->setValue(std::min(dialog_->value() + 1, dialog_->maximum()));
        QCoreApplication::processEvents();
    }

    bool Canceled() override {
        if (!dialog_) return false;
        QCoreApplication::processEvents();
        return dialog_->wasCanceled();
    }

    void Finish() override { dialog_.reset(); }

  private:
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace

void install_qt_engine_services() {
    std::setlocale(LC_NUMERIC, "C");
    set_progress_factory([] { return std::make_unique<DialogProgress>(); });
    set_message_handler([](const std::string& text) {
        QMessageBox::information(nullptr, QCoreApplication::applicationName(), from_cp1252(text));
    });
    set_preview_opener(
        [](std::shared_ptr<GraphicStorage> pages) { PreviewWindow::open(std::move(pages)); });
}

}  // namespace tarvek::report
