#pragma once

#include <QWidget>

#include <functional>

namespace tessalo {

// The pause shown inside the game window where there is no notification area to wait in: it
// covers the board, so a pause is no free look at it, and says how to play on. A press anywhere
// on it plays on.
class PauseOverlay final : public QWidget {
  public:
    PauseOverlay(std::function<void()> playOn, QWidget* gameWindow);

    // Covers the whole game window, beneath only what `above` lists.
    void cover(std::initializer_list<QWidget*> above);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::function<void()> playOn_;
};

} // namespace tessalo
