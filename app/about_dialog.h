#pragma once

#include <QDialog>
#include <QPixmap>
#include <QTimer>

namespace tessalo {

// The two pictures the about box blinks between; decoded once at start-up.
struct AboutFrames {
    QPixmap first;
    QPixmap second;
};

// A tiny box with a blinking picture: the first frame for a second, then the second for 0.3 s,
// then the first for 5 s, and so on until it is closed.
class AboutDialog final : public QDialog {
  public:
    static constexpr int kPictureButton = 1044;
    // Timer 1 ends the first frame's time, timer 2 the second's; one of them runs at a time.
    static constexpr int kFirstFrameTimer = 1;
    static constexpr int kSecondFrameTimer = 2;
    static constexpr int kFirstShowMs = 1000;
    static constexpr int kSecondFrameMs = 300;
    static constexpr int kFirstFrameMs = 5000;

    AboutDialog(const AboutFrames& frames, QWidget* owner);

    int blinkFrame() const { return blinkFrame_; }
    const QTimer& timer(int id) const {
        return id == kFirstFrameTimer ? firstTimer_ : secondTimer_;
    }
    void onTimer(int id);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void paintPicture(QWidget& button);

    const AboutFrames& frames_;
    QSize frameSize_;
    int blinkFrame_ = 0;
    QTimer firstTimer_;
    QTimer secondTimer_;
    QWidget* pictureButton_ = nullptr;
};

} // namespace tessalo
