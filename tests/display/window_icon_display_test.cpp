#include "platform/program_resources.h"
#include "tests/display/real_input.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace tessalo::display {
namespace {

// The sizes the X server holds in a window's icon property, as the desktop reads them.
QList<QSize> iconSizesOnTheServer(WId window) {
    QProcess xprop;
    // xprop reads only the start of a long property unless told otherwise.
    xprop.start("xprop", {"-len", "16000000", "-id", QString::number(window), "_NET_WM_ICON"});
    if (!xprop.waitForFinished(5000))
        return {};
    QList<QSize> sizes;
    const QString text = QString::fromLocal8Bit(xprop.readAllStandardOutput());
    static const QRegularExpression icon(R"(Icon \((\d+) x (\d+)\))");
    for (auto match = icon.globalMatch(text); match.hasNext();) {
        const auto found = match.next();
        sizes << QSize(found.captured(1).toInt(), found.captured(2).toInt());
    }
    return sizes;
}

// As the game sets it at start: every window then carries the icon in each desktop size.
TEST(WindowIcon, EveryWindowCarriesTheProgramIconInEachSize) {
    if (QStandardPaths::findExecutable("xprop").isEmpty())
        GTEST_SKIP() << "xprop (x11-utils) is missing";
    QApplication::setWindowIcon(loadSourceIcon(ResourceSource{}, kApplicationIconId));
    QWidget window;
    window.setGeometry(100, 100, 200, 150);
    window.show();
    ASSERT_TRUE(
        waitUntil([&] { return window.windowHandle() && window.windowHandle()->isExposed(); }));
    QList<QSize> sizes;
    ASSERT_TRUE(waitUntil([&] {
        return !(sizes = iconSizesOnTheServer(window.winId())).isEmpty();
    })) << "no icon on the window";
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

} // namespace
} // namespace tessalo::display
