#include "skin/window_drag.h"

#include <QMouseEvent>
#include <QWidget>

#include <algorithm>

namespace tessalo {

bool WindowDrag::press(QWidget& window, const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton)
        return false;
    grabbedAt_ = event.position().toPoint();
    window.raise();
    return true;
}

void WindowDrag::move(QWidget& window, const QMouseEvent& event) {
    if (!grabbedAt_ || !(event.buttons() & Qt::LeftButton))
        return;
    const QWidget* parent = window.parentWidget();
    if (!parent)
        return;
    const QPoint cursor = parent->mapFromGlobal(event.globalPosition().toPoint());
    const QPoint wanted = cursor - *grabbedAt_;
    const int maxX = std::max(0, parent->width() - window.width());
    const int maxY = std::max(0, parent->height() - window.height());
    window.move(std::clamp(wanted.x(), 0, maxX), std::clamp(wanted.y(), 0, maxY));
}

void WindowDrag::release(const QMouseEvent& event) {
    if (event.button() == Qt::LeftButton)
        grabbedAt_.reset();
}

} // namespace tessalo
