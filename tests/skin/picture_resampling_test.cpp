#include "skin/picture_resampling.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

// A black and a white pixel side by side: a whole factor must keep them pure, any other factor
// must blend where they meet, and the size is always the rounded scaled size.
TEST(PictureResampling, WholeFactorsRepeatPixelsOtherFactorsBlend) {
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    picture.setPixel(1, 0, qRgb(255, 255, 255));

    const QImage doubled = resampled(picture, PictureScale{2, 1});
    ASSERT_EQ(doubled.size(), QSize(4, 2));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(QColor(doubled.pixel(x, 1)), x < 2 ? QColor(Qt::black) : QColor(Qt::white))
            << "x " << x;

    // 2 · 1.8 = 3.6 → 4 across, 1.8 → 2 down.
    const QImage filled = resampled(picture, PictureScale{1080, 600});
    ASSERT_EQ(filled.size(), QSize(4, 2));
    int blended = 0;
    for (int x = 0; x < 4; ++x) {
        const int grey = qGray(filled.pixel(x, 0));
        blended += grey > 10 && grey < 245;
    }
    EXPECT_GT(blended, 0);

    EXPECT_EQ(resampled(picture, PictureScale{}), picture);
    EXPECT_EQ(resampled(std::optional<QImage>(), PictureScale{2, 1}), std::nullopt);
}

// A larger version brought down must average what each pixel covers: columns black, black,
// white shrunk to a third are one even grey, where sampling would keep black or white.
TEST(PictureResampling, ShrinkingAveragesTheCoveredPixels) {
    QImage stripes(30, 3, QImage::Format_RGB32);
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 3; ++y)
            stripes.setPixel(x, y, x % 3 == 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage shrunk = resampled(stripes, PictureScale{1, 3});
    ASSERT_EQ(shrunk.size(), QSize(10, 1));
    for (int x = 0; x < 10; ++x)
        EXPECT_NEAR(qGray(shrunk.pixel(x, 0)), 85, 2) << "x " << x;
}

} // namespace
} // namespace tessalo
