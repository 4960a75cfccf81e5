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

} // namespace
} // namespace tessalo
