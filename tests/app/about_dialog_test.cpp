#include "app/about_dialog.h"

#include "platform/dialog_builder.h"
#include "tests/app/app_window_support.h"

#include <QLabel>
#include <QTest>

namespace tessalo {
namespace {

QPixmap solid(Qt::GlobalColor colour) {
    QPixmap pixmap(70, 105);
    pixmap.fill(colour);
    return pixmap;
}

class AboutDialogTest : public ::testing::Test {
  protected:
    AboutFrames frames{solid(Qt::red), solid(Qt::blue)};
    AboutDialog about{frames, nullptr};

    QWidget& pictureButton() { return *dialogControl(about, 1044); }
    QColor shownAt(int x, int y) { return pictureButton().grab().toImage().pixelColor(x, y); }
};

TEST_F(AboutDialogTest, APictureButtonOverThePlaceAndYear) {
    EXPECT_EQ(about.windowTitle(), "");
    auto* text = about.findChild<QLabel*>("-1#1");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "Krabovo 2025");
    EXPECT_TRUE(text->alignment() & Qt::AlignHCenter);
    EXPECT_GE(pictureButton().width(), 70);
    EXPECT_GE(pictureButton().height(), 105);
}

TEST_F(AboutDialogTest, TheFirstFrameShowsOneSecondThenBlinksEveryFiveSeconds) {
    const QTimer& one = about.timer(1);
    const QTimer& two = about.timer(2);
    EXPECT_EQ(about.blinkFrame(), 0);
    EXPECT_TRUE(one.isActive());
    EXPECT_EQ(one.interval(), 1000);
    EXPECT_FALSE(two.isActive());

    about.onTimer(1);
    EXPECT_EQ(about.blinkFrame(), 1);
    EXPECT_FALSE(one.isActive());
    EXPECT_TRUE(two.isActive());
    EXPECT_EQ(two.interval(), 300);

    about.onTimer(2);
    EXPECT_EQ(about.blinkFrame(), 0);
    EXPECT_TRUE(one.isActive());
    EXPECT_EQ(one.interval(), 5000);
    EXPECT_FALSE(two.isActive());

    about.onTimer(1);
    EXPECT_EQ(about.blinkFrame(), 1);
    EXPECT_EQ(two.interval(), 300);

    // A timer of nobody's changes nothing.
    about.onTimer(3);
    EXPECT_EQ(about.blinkFrame(), 1);
    EXPECT_TRUE(two.isActive());
}

TEST_F(AboutDialogTest, TheButtonShowsTheCurrentFrameCentred) {
    const int left = (pictureButton().width() - 70) / 2;
    const int middle = pictureButton().height() / 2;
    EXPECT_EQ(shownAt(left, middle), QColor(Qt::red));
    EXPECT_EQ(shownAt(left + 69, middle), QColor(Qt::red));
    ASSERT_GT(left, 0);
    EXPECT_NE(shownAt(left - 1, middle), QColor(Qt::red));
    about.onTimer(1);
    EXPECT_EQ(shownAt(left, middle), QColor(Qt::blue));
    about.onTimer(2);
    EXPECT_EQ(shownAt(left, middle), QColor(Qt::red));
}

TEST_F(AboutDialogTest, HelpDoesNothingAndEscapeCloses) {
    test::ModalAnswers none; // fails on any box that would open
    about.show();
    QApplication::setActiveWindow(&about);
    QTest::keyClick(&about, Qt::Key_F1);
    EXPECT_TRUE(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Rejected);
}

} // namespace
} // namespace tessalo
