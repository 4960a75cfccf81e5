#include "skin/clock_window.h"

#include "skin/asc_bitmap_loader.h"
#include "skin/digit_cell.h"
#include "skin/pictures_module.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include <algorithm>
#include <limits>

namespace tessalo {

namespace {

constexpr int kTickMilliseconds = 1000;
// 99:59 is the last time four digits can show; longer games stay there.
constexpr int kLastShownSeconds = 5999;

} // namespace

ClockWindow::ClockWindow(const CalendarClock& calendar, QWidget* gameWindow)
    : QWidget(gameWindow), calendar_(calendar) {
    setObjectName("Clock");
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Hidden explicitly, or showing the game window would show the clock before it is created.
    hide();
}

bool ClockWindow::loadSkin(const PeModule& module) {
    face_ = QImage();
    digitSet_.clear();
    const auto record = module.findResource(kPlaceType, kClockPlaceName);
    const auto place = record ? parseClockPlace(*record) : std::nullopt;
    if (!place)
        return false;
    auto face = loadAscBitmap(module, kClockName);
    if (!face || !digitSet_.load(module))
        return false;
    face_ = std::move(*face);
    place_ = QPoint(place->x, place->y);
    std::copy(place->digitX.begin(), place->digitX.end(), digitX_.begin());
    digitY_ = place->digitY;
    return true;
}

void ClockWindow::createOwned(QPoint position) {
    tickTimer_.stop();
    runSeconds_ = 0;
    accumulatedSeconds_ = 0;
    move(position);
    resize(face_.size());
    setMask(clockShape());
    show();
    raise();
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
    update();
}

void ClockWindow::stop() {
    if (!isRunning())
        return;
    accumulatedSeconds_ += now() - runStart_;
    runSeconds_ = 0;
    tickTimer_.stop();
    update();
}

void ClockWindow::tick() {
    // A tick already queued when the clock stopped must not count the stopped time.
    if (!isRunning())
        return;
    runSeconds_ = now() - runStart_;
    update();
}

void ClockWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() == tickTimer_.timerId())
        tick();
    else
        QWidget::timerEvent(event);
}

void ClockWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, face_);
    // A calendar set back during a run gives a negative total; it counts as nothing.
    const std::int64_t total = accumulatedSeconds_ + runSeconds_;
    shownSeconds_ =
        static_cast<int>(std::clamp<std::int64_t>(total, 0, std::numeric_limits<int>::max()));
    const int shown = std::min(shownSeconds_, kLastShownSeconds);
    const std::array<int, 4> digits = {shown / 600, shown % 600 / 60, shown % 60 / 10, shown % 10};
    for (std::size_t k = 0; k < digits.size(); ++k)
        digitSet_.draw(painter, QPoint(digitX_[k], digitY_), digits[k]);
}

void ClockWindow::mousePressEvent(QMouseEvent* event) {
    if (!drag_.press(*this, *event))
        QWidget::mousePressEvent(event);
}

void ClockWindow::mouseMoveEvent(QMouseEvent* event) {
    drag_.move(*this, *event);
}

void ClockWindow::mouseReleaseEvent(QMouseEvent* event) {
    drag_.release(*event);
}

} // namespace tessalo
