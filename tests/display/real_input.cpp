#include "tests/display/real_input.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStringList>
#include <QThread>

#include <gtest/gtest.h>

namespace tessalo::display {

namespace {

// The program keeps handling its events while xdotool runs, as it would during a player's input.
void xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    // waitForFinished answers false once the process has ended, so the state decides.
    process.waitForStarted();
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(10))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << "xdotool " << arguments.join(' ').toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
    QCoreApplication::processEvents();
}

QStringList moveArguments(QPoint position) {
    return {"mousemove", QString::number(position.x()), QString::number(position.y())};
}

} // namespace

void moveTo(QPoint screenPosition) {
    xdotool(moveArguments(screenPosition));
}

void click(QPoint screenPosition, int button) {
    xdotool(moveArguments(screenPosition) << "click" << QString::number(button));
}

void turnWheel(QPoint screenPosition, int notches) {
    const int button = notches > 0 ? 4 : 5;
    xdotool(moveArguments(screenPosition)
            << "click"
            << "--repeat" << QString::number(notches > 0 ? notches : -notches) << "--delay"
            << "30" << QString::number(button));
}

void pressKey(const QString& keys) {
    xdotool({"key", "--delay", "30", keys});
}

void typeText(const QString& text) {
    xdotool({"type", "--delay", "30", text});
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

void settle(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

QImage screenImage() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

QColor screenPixel(QPoint screenPosition) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, screenPosition.x(), screenPosition.y(), 1, 1)
        .toImage()
        .pixelColor(0, 0);
}

} // namespace tessalo::display
