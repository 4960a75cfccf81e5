#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <functional>

// Input as a player gives it: through the X server (xdotool's XTEST events), so it passes window
// stacking, masks, focus and grabs like a real mouse and keyboard. Positions are in screen pixels.
namespace tessalo::display {

void moveTo(QPoint screenPosition);
void click(QPoint screenPosition, int button = 1);
// Notches away from the player (positive) or towards (negative), with the pointer at the point.
void turnWheel(QPoint screenPosition, int notches);
// Key names as xdotool knows them: "Return", "Down", "ctrl+a", "F1".
void pressKey(const QString& keys);
void typeText(const QString& text);

// Lets the program handle its events until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
// Lets the program handle its events for a while.
void settle(int ms = 200);

// What the X server shows now: the root window.
QImage screenImage();
QColor screenPixel(QPoint screenPosition);

} // namespace tessalo::display
