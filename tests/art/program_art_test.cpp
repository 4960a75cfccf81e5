#include "skin/asc_decoder.h"
#include "skin/bmp_image.h"
#include "tools/art/program_art.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessalo::art {
namespace {

const QString kCommitted = TESSALO_SOURCE_DIR "/resources";

QByteArray readAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()),
            static_cast<std::size_t>(bytes.size())};
}

// The program's art is committed beside its source; regenerating it must change nothing, or the
// committed files are stale (run `tessalo-art program resources` from the source folder).
TEST(ProgramArt, Regenerated_MatchesTheCommittedFiles) {
    QTemporaryDir folder;
    ASSERT_EQ(writeProgramArt(folder.path()), "");
    const QStringList files = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        const QByteArray fresh = readAll(folder.path() + "/" + file);
        const QByteArray committed = readAll(kCommitted + "/" + file);
        // A better encoder may pack the same image differently: compare what decodes.
        if (file.endsWith(".asc"))
            EXPECT_EQ(decodeAsc(bytesOf(fresh)), decodeAsc(bytesOf(committed)))
                << file.toStdString() << " differs from its committed copy";
        else
            EXPECT_EQ(fresh, committed) << file.toStdString() << " differs from its committed copy";
    }
}

TEST(ProgramArt, AboutFrames_DecodeToPalettedImagesOfOneSize) {
    for (const char* name : {"krab_1.asc", "krab_2.asc"}) {
        const QByteArray container = readAll(kCommitted + "/" + name);
        const auto decoded = decodeAsc(bytesOf(container));
        ASSERT_TRUE(decoded.has_value()) << name;
        ASSERT_GE(decoded->size(), 54u);
        // 8 bits per pixel, a full colour table, pixel bits right after it.
        EXPECT_EQ((*decoded)[28], 8) << name;
        EXPECT_EQ((*decoded)[10] | (*decoded)[11] << 8, 1078) << name;
        const auto image = parseBmp(*decoded);
        ASSERT_TRUE(image.has_value()) << name;
        EXPECT_EQ(image->width, 70);
        EXPECT_EQ(image->height, 105);
    }
}

TEST(ProgramArt, SecondAboutFrame_DiffersOnlyAroundTheEyes) {
    const QImage open = drawCrab(false);
    const QImage closed = drawCrab(true);
    QRect changed;
    for (int y = 0; y < open.height(); ++y)
        for (int x = 0; x < open.width(); ++x)
            if (open.pixel(x, y) != closed.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_LT(changed.width() * changed.height(), 70 * 105 / 10);
}

TEST(ProgramArt, PointingHand_HasItsFingerTipAtTheHotSpot) {
    const QImage hand = drawPointingHand();
    EXPECT_EQ(hand.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(hand.pixel(8, 1)), 255);
    EXPECT_EQ(qGray(hand.pixel(8, 1)), 0);
    for (int x = 0; x < 32; ++x)
        EXPECT_EQ(qAlpha(hand.pixel(x, 0)), 0) << "nothing above the tip, column " << x;
    // Monochrome: every pixel black, white or clear.
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = hand.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            EXPECT_EQ(qAlpha(pixel), 255);
            EXPECT_TRUE(qGray(pixel) == 0 || qGray(pixel) == 255) << x << ", " << y;
        }
}

TEST(ProgramArt, IconsAndCursor_ReadBackAsThirtyTwoSquare) {
    for (const char* name : {"icon_128.ico", "icon_164.ico", "cursor_138.cur", "icon_128.png",
                             "icon_164.png", "cursor_138.png"}) {
        QImageReader reader(kCommitted + "/" + name);
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << name << ": " << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), QSize(32, 32)) << name;
    }
    // Both colour depths of each icon: 16 and 256 colours.
    for (const char* name : {"icon_128.ico", "icon_164.ico"})
        EXPECT_EQ(QImageReader(kCommitted + "/" + name).imageCount(), 2) << name;
    // The hot spot sits in the cursor's directory entry.
    const QByteArray cursor = readAll(kCommitted + "/cursor_138.cur");
    ASSERT_GE(cursor.size(), 22);
    EXPECT_EQ(cursor[2], 2); // a cursor, not an icon
    EXPECT_EQ(cursor[10] | cursor[11] << 8, 8);
    EXPECT_EQ(cursor[12] | cursor[13] << 8, 1);
}

TEST(ProgramArt, ResourceList_NamesEveryFileAndNothingElse) {
    const QString qrc = QString::fromUtf8(readAll(kCommitted + "/resources.qrc"));
    QStringList listed;
    for (const QString& line : qrc.split('\n'))
        if (line.trimmed().startsWith("<file>"))
            listed << line.trimmed().remove("<file>").remove("</file>");
    for (const char* needed :
         {"krab_1.asc", "krab_2.asc", "icon_128.ico", "icon_164.ico", "cursor_138.cur"})
        EXPECT_TRUE(listed.contains(needed)) << needed;
    for (const QString& file : listed)
        EXPECT_TRUE(QFile::exists(kCommitted + "/" + file)) << file.toStdString();
}

} // namespace
} // namespace tessalo::art
