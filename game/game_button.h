#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace tessalo {

// A picture button: the down image while pressed, the up image otherwise, sized to its up image.
class GameButton final : public QAbstractButton {
  public:
    GameButton(int commandId, const QPixmap& up, const QPixmap& down, QWidget* gameWindow);

    int commandId() const { return commandId_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const int commandId_;
    QPixmap up_;
    QPixmap down_;
};

} // namespace tessalo
