#include "game/loading_dialog.h"

#include "game/game_window.h"
#include "game/picture_set_loading.h"
#include "platform/dialog_builder.h"
#include "platform/message_box.h"

#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>

#include <array>

namespace tessalo {

namespace {

constexpr QEvent::Type kStartLoadingEvent = QEvent::Type(QEvent::User + 0x1405);

constexpr std::array<DialogControl, 1> kControls = {{
    {LoadingDialog::kProgressBarId, ControlKind::ProgressBar, "", {7, 14, 173, 10}, kBorder},
}};

constexpr DialogTemplate kTemplate{"Wait. Loading...", 187, 39, kControls};

} // namespace

LoadingDialog::LoadingDialog(const std::filesystem::path& module, GameWindow& window,
                             QWidget* mainDialog, PictureScale pictureScale)
    : QDialog(mainDialog, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      module_(module), window_(window), pictureScale_(pictureScale) {
    buildDialog(*this, kTemplate);
    progressBar_ = dialogControl<QProgressBar>(*this, kProgressBarId);
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
    const auto refusal =
        loadPictureSet(module_, window_.soundOn(), window_.pictures(), progress, pictureScale_);
    if (refusal) {
        showWarning(parentWidget(), *refusal);
        done(QDialog::Rejected);
        return;
    }
    done(QDialog::Accepted);
}

} // namespace tessalo
