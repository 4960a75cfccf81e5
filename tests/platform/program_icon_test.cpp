#include "platform/program_resources.h"

#include <QImageReader>

#include <gtest/gtest.h>

namespace tessalo {
namespace {

QImage argb(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

TEST(ProgramIcon, WindowIconOffersEveryDesktopSizeAndKeepsTheIconFileAtThirtyTwo) {
    const QIcon icon = loadSourceIcon(ResourceSource{}, kApplicationIconId);
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
        const QImage drawn = argb(icon.pixmap(QSize(size, size), 1.0).toImage());
        EXPECT_EQ(drawn.size(), QSize(size, size)) << size;
        if (size != 32) {
            EXPECT_EQ(
                drawn,
                argb(QImage(QString(TESSALO_SOURCE_DIR "/resources/tessalo2_%1.png").arg(size))))
                << size << " is not its own drawing";
        }
    }
    // At 32 the window shows the program's icon file, one of its two colour depths.
    const QImage thirtyTwo = argb(icon.pixmap(QSize(32, 32), 1.0).toImage());
    QImageReader file(TESSALO_SOURCE_DIR "/resources/icon_128.ico");
    bool fromTheFile = false;
    for (int i = 0; i < file.imageCount(); ++i) {
        file.jumpToImage(i);
        fromTheFile = fromTheFile || argb(file.read()) == thirtyTwo;
    }
    EXPECT_TRUE(fromTheFile);

    // The paused game's icon is the rules' 32 × 32 alone.
    EXPECT_EQ(loadSourceIcon(ResourceSource{}, kTrayIconId).availableSizes(),
              QList<QSize>({QSize(32, 32)}));
}

} // namespace
} // namespace tessalo
