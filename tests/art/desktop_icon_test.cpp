#include "tools/art/desktop_icon.h"

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdlib>

namespace tessalo::art {
namespace {

const QString kCommitted = TESSALO_SOURCE_DIR "/resources";

QImage committedIcon(int size) {
    return QImage(kCommitted + QString("/tessalo2_%1.png").arg(size))
        .convertToFormat(QImage::Format_ARGB32);
}

int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

TEST(DesktopIcons, EachSizeIsItsOwnSquareAndThirtyTwoIsTheProgramIcon) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon = committedIcon(size);
        ASSERT_EQ(icon.size(), QSize(size, size)) << size;
        // The top right corner lies beside the front tile: clear, so desktops show their own
        // background there.
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, 0)), 0) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size;
    }
    const QImage programIcon =
        QImage(kCommitted + "/icon_128.png").convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(committedIcon(32), programIcon);
}

TEST(DesktopIcons, LargestIsDrawnAtItsSizeNotBlownUpFromThirtyTwo) {
    const QImage large = committedIcon(256);
    const QImage blownUp =
        committedIcon(32).scaled(256, 256, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int differing = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            differing += channelDistance(large.pixel(x, y), blownUp.pixel(x, y)) > 40;
    EXPECT_GT(differing, 256 * 256 / 50) << "too close to the 32 px icon blown up";

    // A blown-up icon repeats each pixel in 8 × 8 blocks; one drawn at 256 has edges inside them.
    int blocksWithEdges = 0;
    for (int by = 0; by < 32; ++by)
        for (int bx = 0; bx < 32; ++bx) {
            const QRgb corner = large.pixel(bx * 8, by * 8);
            bool uniform = true;
            for (int y = 0; y < 8 && uniform; ++y)
                for (int x = 0; x < 8 && uniform; ++x)
                    uniform = large.pixel(bx * 8 + x, by * 8 + y) == corner;
            blocksWithEdges += !uniform;
        }
    EXPECT_GT(blocksWithEdges, 32 * 32 / 8);

    // Antialiased and sharp: along the middle row the back tile's left side goes from clear to
    // opaque through partly covered pixels, within two pixels, not over a blurred eight.
    int firstCovered = -1;
    int firstOpaque = -1;
    for (int x = 0; x < 256 && firstOpaque < 0; ++x) {
        const int alpha = qAlpha(large.pixel(x, 128));
        if (alpha > 0 && firstCovered < 0)
            firstCovered = x;
        if (alpha == 255)
            firstOpaque = x;
    }
    ASSERT_GE(firstCovered, 0);
    EXPECT_LE(firstOpaque - firstCovered, 2);
    int partlyCovered = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            partlyCovered += qAlpha(large.pixel(x, y)) > 0 && qAlpha(large.pixel(x, y)) < 255;
    EXPECT_GT(partlyCovered, 100) << "no antialiased edges";
}

// At 16 px a plain scale leaves half-pixel outlines and dots as smudges: the outline and both dots
// must keep their own colours on whole pixels.
TEST(DesktopIcons, SixteenPixelsKeepCrispOutlinesAndBothDots) {
    const QImage small = committedIcon(16);
    int outline = 0, red = 0, blue = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb pixel = small.pixel(x, y);
            outline += pixel == qRgba(90, 80, 50, 255);
            red += pixel == qRgba(184, 50, 42, 255);
            blue += pixel == qRgba(31, 78, 154, 255);
        }
    EXPECT_GE(outline, 30);
    EXPECT_GE(red, 4);
    EXPECT_GE(blue, 4);
    // The two dots stay apart: a row of face colour between them in the front tile's middle
    // column.
    int column = -1;
    for (int x = 0; x < 16 && column < 0; ++x)
        for (int y = 0; y < 16; ++y)
            if (small.pixel(x, y) == qRgba(184, 50, 42, 255)) {
                column = x;
                break;
            }
    ASSERT_GE(column, 0);
    bool faceBetween = false;
    bool seenRed = false;
    for (int y = 0; y < 16; ++y) {
        const QRgb pixel = small.pixel(column, y);
        if (pixel == qRgba(184, 50, 42, 255))
            seenRed = true;
        else if (seenRed && pixel == qRgba(31, 78, 154, 255))
            break;
        else if (seenRed && pixel == qRgba(250, 244, 226, 255))
            faceBetween = true;
    }
    EXPECT_TRUE(faceBetween);
}

TEST(DesktopIcons, ScalableIconIsWellFormedSquareVectorGraphics) {
    QFile file(kCommitted + "/tessalo2.svg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QStringLiteral("svg"));
    EXPECT_EQ(xml.namespaceUri(), QStringLiteral("http://www.w3.org/2000/svg"));
    EXPECT_EQ(xml.attributes().value("width"), QStringLiteral("256"));
    EXPECT_EQ(xml.attributes().value("height"), QStringLiteral("256"));
    EXPECT_EQ(xml.attributes().value("viewBox"), QStringLiteral("0 0 32 32"));
    QStringList shapes;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        shapes << xml.name().toString();
        const QString fill = xml.attributes().value("fill").toString();
        EXPECT_TRUE(QColor::isValidColorName(fill)) << fill.toStdString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    // Two tiles, each a side and a face, and two dots.
    EXPECT_EQ(shapes, QStringList({"polygon", "rect", "polygon", "rect", "ellipse", "ellipse"}));
    EXPECT_EQ(desktopIconSvg(), [&] {
        file.seek(0);
        return file.readAll();
    }());
}

} // namespace
} // namespace tessalo::art
