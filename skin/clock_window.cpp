#include "skin/clock_window.h"

#include "skin/digit_cell.h"
#include "skin/pictures_module.h"

#include <QTimerEvent>

#include <algorithm>
#include <array>
#include <limits>

namespace tessalo {

namespace {

constexpr int kTickMilliseconds = 1000;
// 99:59 is the last time four digits can show; longer games stay there.
constexpr int kLastShownSeconds = 5999;

} // namespace

ClockWindow::ClockWindow(const CalendarClock& calendar, QWidget* gameWindow)
    : DigitDisplay("Clock", gameWindow), calendar_(calendar) {}

bool ClockWindow::loadSkin(const PeModule& module) {
    // The placement, the face and each digit load on their own: a damaged image costs only what
    // it shows, and the indicator keeps the digits whatever became of the face.
    const bool digits = digitSet_.load(module, pictureScale(), pixelRatio().factor());
    const auto record = module.findResource(kPlaceType, kClockPlaceName);
    const auto place = record ? parseClockPlace(*record) : std::nullopt;
    if (!place) {
        clearSkin();
        return false;
    }
    const bool face =
        loadFace(module, kClockName, QPoint(place->x, place->y), place->digitX, place->digitY);
    return face && digits;
}

void ClockWindow::createOwned(QPoint position) {
    tickTimer_.stop();
    runSeconds_ = 0;
    accumulatedSeconds_ = 0;
    showTotal();
    showAt(position, clockShape(scale()));
}

void ClockWindow::startNewGame() {
    accumulatedSeconds_ = 0;
    startRun();
}

void ClockWindow::resumeRun() {
    startRun();
}

void ClockWindow::startRun() {
    runSeconds_ = 0;
    runStart_ = now();
    tickTimer_.start(kTickMilliseconds, this);
    showTotal();
}

void ClockWindow::stop() {
    if (!isRunning())
        return;
    accumulatedSeconds_ += now() - runStart_;
    runSeconds_ = 0;
    tickTimer_.stop();
    showTotal();
    // Drawn at once: the game's time is read next, and it must be what the player sees.
    repaint();
}

void ClockWindow::tick() {
    // A tick already queued when the clock stopped must not count the stopped time.
    if (!isRunning())
        return;
    runSeconds_ = now() - runStart_;
    showTotal();
}

void ClockWindow::showTotal() {
    // A calendar set back during a run gives a negative total; it counts as nothing.
    const std::int64_t total = accumulatedSeconds_ + runSeconds_;
    shownSeconds_ =
        static_cast<int>(std::clamp<std::int64_t>(total, 0, std::numeric_limits<int>::max()));
    update();
}

void ClockWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() == tickTimer_.timerId())
        tick();
    else
        QWidget::timerEvent(event);
}

void ClockWindow::paintEvent(QPaintEvent*) {
    const int shown = std::min(shownSeconds_, kLastShownSeconds);
    const std::array<int, 4> digits = {shown / 600, shown % 600 / 60, shown % 60 / 10, shown % 10};
    paintDigits(digitSet_, digits);
}

} // namespace tessalo
