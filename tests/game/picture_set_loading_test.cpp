#include "game/picture_set_loading.h"
#include "tests/platform/pe_test_support.h"
#include "tests/support/test_picture_set.h"

#include <gtest/gtest.h>

namespace tessalo {
namespace {

struct Recorded {
    std::vector<int> ranges;
    std::vector<int> positions;
    LoadProgress progress() {
        return {[this](int n) { ranges.push_back(n); }, [this](int i) { positions.push_back(i); }};
    }
};

class PictureSetLoadingTest : public ::testing::Test {
  protected:
    test::TempDir folder;
    LoadedPictures pictures;
    Recorded recorded;

    std::filesystem::path write(const TestPictureSet& set, const std::string& name = "test.tsp") {
        const auto path = folder.path() / name;
        writeModuleFile(path, set.content());
        return path;
    }
};

TEST_F(PictureSetLoadingTest, DecodesEveryPictureInOrderWithProgressOneShortOfTheEnd) {
    TestPictureSet set;
    set.pictureCount = 42;
    ASSERT_FALSE(loadPictureSet(write(set), true, pictures, recorded.progress()));
    EXPECT_EQ(recorded.ranges, std::vector<int>{42});
    ASSERT_EQ(recorded.positions.size(), 42u);
    EXPECT_EQ(recorded.positions.front(), 0);
    EXPECT_EQ(recorded.positions.back(), 41);
    ASSERT_EQ(pictures.faces.size(), 42u);
    EXPECT_EQ(pictures.faces[0].toImage().pixelColor(5, 5), QColor(10, 200, 40));
    EXPECT_EQ(pictures.faces[41].toImage().pixelColor(5, 5), QColor(215, 77, 81));
    EXPECT_EQ(pictures.faces[41].size(), QSize(45, 70));
    EXPECT_EQ(pictures.background.size(), QSize(800, 600));
    ASSERT_TRUE(pictures.base);
    EXPECT_EQ(pictures.base->toImage().pixelColor(0, 0), QColor(100, 100, 100));
    ASSERT_TRUE(pictures.okSound);
    EXPECT_EQ(*pictures.okSound, testWaveImage());
}

TEST_F(PictureSetLoadingTest, SoundIsCopiedOnlyWhenSoundIsOnAndAnEarlierCopyIsReleased) {
    const auto path = write(TestPictureSet{});
    ASSERT_FALSE(loadPictureSet(path, true, pictures, {}));
    ASSERT_TRUE(pictures.okSound);
    ASSERT_FALSE(loadPictureSet(path, false, pictures, {}));
    EXPECT_FALSE(pictures.okSound);
    TestPictureSet silent;
    silent.withSound = false;
    pictures.okSound = std::vector<std::uint8_t>{1, 2, 3};
    ASSERT_FALSE(loadPictureSet(write(silent, "silent.tsp"), true, pictures, {}));
    EXPECT_FALSE(pictures.okSound);
}

TEST_F(PictureSetLoadingTest, ASetWithoutBaseHasWholeTileFaces) {
    TestPictureSet set;
    set.withBase = false;
    ASSERT_FALSE(loadPictureSet(write(set), true, pictures, {}));
    EXPECT_FALSE(pictures.base);
    EXPECT_EQ(pictures.faces[0].size(), QSize(52, 77));
}

TEST_F(PictureSetLoadingTest, ShortOrInconsistentRecordsAreRefused) {
    const auto content = TestPictureSet{}.content();
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> damages = {
        {"IDR_PLACE_BUTTONS", std::vector<std::uint8_t>(15, 0)},
        {"IDR_PLACE_CLOCK", std::vector<std::uint8_t>(13, 0)},
        {"IDR_PLACE_INDICATOR", std::vector<std::uint8_t>(11, 0)},
        {"IDR_PICTURES_MAP", std::vector<std::uint8_t>(144, 0)},
        // 36 pictures announced, tile 143 asks for picture 36.
        {"IDR_PICTURES_MAP",
         [] {
             std::vector<std::uint8_t> map(145, 0);
             map[0] = 36;
             map[144] = 36;
             return map;
         }()},
        // Two names where the map announces 36; the walk must stop at the resource's end.
        {"IDR_PICTURES", {'P', 'I', 'C', '_', '0', 0, 'P', 'I', 'C', '_', '1', 0}},
    };
    for (const auto& damage : damages) {
        const std::string& name = damage.first;
        const std::vector<std::uint8_t>& bytes = damage.second;
        const auto path = folder.path() / "damaged.tsp";
        const auto module = moduleBytesWith(content, [&](std::vector<ModuleResource>& resources) {
            for (auto& resource : resources) {
                if (resource.name.text() == name)
                    resource.bytes = bytes;
            }
        });
        test::writeFile(path, module);
        pictures.faces.resize(3);
        const auto message = loadPictureSet(path, true, pictures, recorded.progress());
        ASSERT_TRUE(message) << name;
        EXPECT_TRUE(message->startsWith("Файл картинок «damaged.tsp» повреждён")) << name;
        EXPECT_TRUE(pictures.faces.empty()) << name;
    }
    EXPECT_TRUE(recorded.ranges.empty());
}

TEST_F(PictureSetLoadingTest, AFileThatCannotBeReadIsRefusedWithAMessage) {
    pictures.okSound = std::vector<std::uint8_t>{1};
    const auto message = loadPictureSet(folder.path() / "gone.tsp", true, pictures, {});
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, QString("Не удалось прочитать файл картинок «gone.tsp». Игра не начата."));
    EXPECT_TRUE(pictures.faces.empty());
    EXPECT_FALSE(pictures.okSound);
    test::writeFile(folder.path() / "text.tsp", std::string("not a module at all"));
    EXPECT_TRUE(loadPictureSet(folder.path() / "text.tsp", true, pictures, {}));
}

// Each way a set can lack what a game needs, made by the GNU toolchain so the refusal does not
// rest on our own writer.
class BrokenSetTest : public ::testing::TestWithParam<std::string> {};

TEST_P(BrokenSetTest, IsRefusedBeforeAnyPictureIsKept) {
    test::TempDir folder;
    TestPictureSet set;
    set.pictureCount = 3;
    const auto content = set.content();
    const auto whole = windresModuleBytes(folder.path(), content);
    if (!whole)
        GTEST_SKIP() << "the MinGW resource compiler is not installed";
    LoadedPictures pictures;
    test::writeFile(folder.path() / "whole.tsp", *whole);
    ASSERT_FALSE(loadPictureSet(folder.path() / "whole.tsp", true, pictures, {}));
    EXPECT_EQ(pictures.faces.size(), 3u);

    const auto broken = windresModuleBytes(folder.path(), content, {GetParam()});
    ASSERT_TRUE(broken);
    test::writeFile(folder.path() / "broken.tsp", *broken);
    const auto message = loadPictureSet(folder.path() / "broken.tsp", true, pictures, {});
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, QString("Файл картинок «broken.tsp» повреждён: в нём нет всего, что "
                                "нужно для игры. Игра не начата."));
    EXPECT_TRUE(pictures.faces.empty());
    EXPECT_TRUE(pictures.background.isNull());
}

INSTANTIATE_TEST_SUITE_P(MissingResource, BrokenSetTest,
                         ::testing::Values("IDR_PLACE_BUTTONS", "IDR_PLACE_CLOCK",
                                           "IDR_PLACE_INDICATOR", "IDR_PICTURES_MAP",
                                           "IDB_EXIT_BUTTON_D", "PIC_2", "IDB_BACKGROUND", "IDB_7",
                                           "IDB_CLOCK"));

} // namespace
} // namespace tessalo
