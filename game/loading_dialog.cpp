#include "game/loading_dialog.h"

#include "game/game_window.h"
#include "game/picture_set_loading.h"
#include "platform/message_box.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>

namespace tessalo {

namespace {

constexpr QEvent::Type kStartLoadingEvent = QEvent::Type(QEvent::User + 0x1405);

// Dialog units of the template to pixels, with base units of the 8-point dialog font.
QRect dialogUnits(int x, int y, int width, int height) {
    return QRect(x * 6 / 4, y * 13 / 8, width * 6 / 4, height * 13 / 8);
}

} // namespace

LoadingDialog::LoadingDialog(const std::filesystem::path& module, GameWindow& window,
                             QWidget* mainDialog)
    : QDialog(mainDialog, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      module_(module), window_(window), progressBar_(new QProgressBar(this)) {
    setWindowTitle(QStringLiteral("Wait. Loading..."));
    setFixedSize(dialogUnits(0, 0, 187, 39).size());
    progressBar_->setObjectName(QString::number(kProgressBarId));
    progressBar_->setGeometry(dialogUnits(7, 14, 173, 10));
    progressBar_->setTextVisible(false);
    progressBar_->setRange(0, 0);
    progressBar_->setValue(0);
}

void LoadingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (firstShow_) {
        firstShow_ = false;
        QCoreApplication::postEvent(this, new QEvent(kStartLoadingEvent));
    }
}

bool LoadingDialog::event(QEvent* event) {
    if (event->type() == kStartLoadingEvent) {
        load();
        return true;
    }
    return QDialog::event(event);
}

void LoadingDialog::load() {
    LoadProgress progress;
    progress.setRange = [this](int count) {
        progressBar_->setRange(0, count);
        progressBar_->setValue(0);
    };
    progress.setPosition = [this](int position) {
        progressBar_->setValue(position);
        // The load holds the event loop, so the bar is drawn at once.
        progressBar_->repaint();
    };
    const auto refusal = loadPictureSet(module_, window_.soundOn(), window_.pictures(), progress);
    if (refusal) {
        showWarning(parentWidget(), *refusal);
        done(QDialog::Rejected);
        return;
    }
    done(QDialog::Accepted);
}

} // namespace tessalo
