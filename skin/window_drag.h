#pragma once

#include <QPoint>

#include <optional>

class QMouseEvent;
class QWidget;

namespace tessalo {

// Moves a child window with the left mouse button as a caption drag would: the grabbed point
// stays under the cursor, and the window stays inside its parent, so it can never be lost
// off the game window.
class WindowDrag {
  public:
    // True when the event starts a drag.
    bool press(QWidget& window, const QMouseEvent& event);
    void move(QWidget& window, const QMouseEvent& event);
    void release(const QMouseEvent& event);

  private:
    std::optional<QPoint> grabbedAt_;
};

} // namespace tessalo
