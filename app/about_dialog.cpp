#include "app/about_dialog.h"

#include "platform/dialog_builder.h"

#include <QKeyEvent>
#include <QPainter>

#include <array>

namespace tessalo {

namespace {

using Kind = ControlKind;

constexpr std::array<DialogControl, 2> kControls = {{
    {AboutDialog::kPictureButton, Kind::PushButton, "", {16, 2, 22, 31}},
    {kNoControlId, Kind::StaticCentre, "Krabovo 2025", {1, 35, 52, 8}},
}};

// The box was laid out for a large serif font; with these units the picture button is
// large enough for the 70 × 105 frames.
constexpr DialogBaseUnits kAboutFontBaseUnits{13, 28};
constexpr DialogTemplate kTemplate{"", 55, 50, kControls, kAboutFontBaseUnits};

} // namespace

AboutDialog::AboutDialog(const AboutFrames& frames, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      frames_(frames), frameSize_(frames.first.size()) {
    buildDialog(*this, kTemplate);
    pictureButton_ = dialogControl(*this, kPictureButton);
    // Owner-drawn: the box paints the button itself, so nothing of the style shows through.
    pictureButton_->installEventFilter(this);

    firstTimer_.setObjectName(QStringLiteral("timer1"));
    secondTimer_.setObjectName(QStringLiteral("timer2"));
    connect(&firstTimer_, &QTimer::timeout, this, [this] { onTimer(kFirstFrameTimer); });
    connect(&secondTimer_, &QTimer::timeout, this, [this] { onTimer(kSecondFrameTimer); });
    firstTimer_.start(kFirstShowMs);
}

void AboutDialog::onTimer(int id) {
    if (id == kFirstFrameTimer) {
        firstTimer_.stop();
        secondTimer_.start(kSecondFrameMs);
        blinkFrame_ = 1;
    } else if (id == kSecondFrameTimer) {
        secondTimer_.stop();
        firstTimer_.start(kFirstFrameMs);
        blinkFrame_ = 0;
    } else {
        return;
    }
    pictureButton_->update();
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pictureButton_ && event->type() == QEvent::Paint) {
        paintPicture(*pictureButton_);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::paintPicture(QWidget& button) {
    const QPixmap& frame = blinkFrame_ == 1 ? frames_.second : frames_.first;
    QPainter painter(&button);
    // Centred with the first frame's size, unscaled; both frames have the same size.
    const int x = (button.width() - frameSize_.width()) / 2;
    const int y = (button.height() - frameSize_.height()) / 2;
    painter.drawPixmap(x, y, frame);
}

void AboutDialog::keyPressEvent(QKeyEvent* event) {
    // The help key means nothing here; it must not reach the main dialog's usage box.
    if (event->key() == Qt::Key_F1) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tessalo
