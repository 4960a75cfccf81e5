#include "skin/scaled_picture_loading.h"

#include "skin/asc_decoder.h"
#include "skin/asc_encoder.h"
#include "tests/support/test_picture_set.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessalo {
namespace {

constexpr Rgb kFace = TestPictureSet::kClockFace;

QColor colourAt(int factor) {
    const Rgb rgb = TestPictureSet::variantColour(kFace, factor);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

std::vector<ModuleResource>::iterator resourceNamed(std::vector<ModuleResource>& resources,
                                                    const std::string& name) {
    return std::find_if(resources.begin(), resources.end(), [&](const ModuleResource& resource) {
        return resource.name == ResourceId(name);
    });
}

class ScaledPictureLoading : public testing::Test {
  protected:
    TestPictureSet set;
    std::function<void(std::vector<ModuleResource>&)> change = [](auto&) {};
    std::optional<PicturesModuleContent> content;
    std::vector<int> contentFactors;

    // The 112 × 48 clock face of a set with versions at 2 and 3, after `change`.
    std::optional<QImage> clockFaceAt(PictureScale scale) {
        // Encoding the set is the slow part: once per choice of factors.
        if (!content || contentFactors != set.variantFactors) {
            content = set.content();
            contentFactors = set.variantFactors;
        }
        auto opened = PeModule::parse(moduleBytesWith(*content, change));
        if (!std::holds_alternative<PeModule>(opened))
            return std::nullopt;
        return loadScaledAscBitmap(std::get<PeModule>(opened), "IDB_CLOCK", scale);
    }

    // The face at `scale` comes from the version of `factor` and has exactly the scaled size.
    void expectFrom(PictureScale scale, int factor) {
        const auto face = clockFaceAt(scale);
        ASSERT_TRUE(face) << scale.numerator << "/" << scale.denominator;
        EXPECT_EQ(face->size(), QSize(scale.of(112), scale.of(48)))
            << scale.numerator << "/" << scale.denominator;
        EXPECT_EQ(face->pixelColor(face->width() / 2, face->height() / 2), colourAt(factor))
            << scale.numerator << "/" << scale.denominator;
    }

    void SetUp() override {
        set.variantFactors = {2, 3};
        set.pictureCount = 1;
    }
};

TEST_F(ScaledPictureLoading, TheSmallestVersionAtOrAboveTheScaleServesElseTheLargest) {
    expectFrom({1, 1}, 1);
    expectFrom({1080, 600}, 2);
    expectFrom({2, 1}, 2);
    expectFrom({1440, 600}, 3);
    expectFrom({3, 1}, 3);
    expectFrom({2160, 600}, 3);

    set.variantFactors = {2};
    expectFrom({1440, 600}, 2);
    set.variantFactors = {};
    expectFrom({1080, 600}, 1);
}

TEST_F(ScaledPictureLoading, AVersionThatIsDamagedOrOfTheWrongSizeIsPassedOver) {
    // Damaged at 2: the next above serves.
    change = [](std::vector<ModuleResource>& resources) {
        resourceNamed(resources, "IDB_CLOCK@2X")->bytes.resize(12);
    };
    expectFrom({1080, 600}, 3);

    // Wrong size at 3, one pixel short: the one below serves, brought up to the same size.
    change = [](std::vector<ModuleResource>& resources) {
        resourceNamed(resources, "IDB_CLOCK@3X")->bytes =
            encodeAsc(solidBmpFile(3 * 112 - 1, 3 * 48, TestPictureSet::variantColour(kFace, 3)));
    };
    expectFrom({1440, 600}, 2);

    // Neither: the plain picture.
    change = [](std::vector<ModuleResource>& resources) {
        resourceNamed(resources, "IDB_CLOCK@2X")->bytes = solidBmpFile(224, 96, kFace);
        resourceNamed(resources, "IDB_CLOCK@3X")->bytes.clear();
    };
    expectFrom({1440, 600}, 1);

    // Without the plain picture its versions are nobody's.
    change = [](std::vector<ModuleResource>& resources) {
        resources.erase(resourceNamed(resources, "IDB_CLOCK"));
    };
    EXPECT_FALSE(clockFaceAt({1080, 600}));
}

// The plain picture's size comes from its header: pixels it can no longer give do not stand in
// the way of a version that serves.
TEST_F(ScaledPictureLoading, OnlyThePlainPicturesHeaderIsNeededBesideAVersion) {
    change = [](std::vector<ModuleResource>& resources) {
        auto& plain = resourceNamed(resources, "IDB_CLOCK")->bytes;
        plain.resize(40);
        ASSERT_FALSE(decodeAsc(plain));
        ASSERT_TRUE(decodeAscPrefix(plain, 26));
    };
    expectFrom({1080, 600}, 2);
}

TEST_F(ScaledPictureLoading, ButtonsTakeTheirVersionsToo) {
    auto opened = PeModule::parse(moduleBytes(set.content()));
    ASSERT_TRUE(std::holds_alternative<PeModule>(opened));
    const auto button =
        loadScaledBitmap(std::get<PeModule>(opened), "IDB_EXIT_BUTTON_D", {1440, 600});
    ASSERT_TRUE(button);
    EXPECT_EQ(button->size(), QSize(144, 72));
    const Rgb rgb = TestPictureSet::variantColour(TestPictureSet::buttonColour(3, true), 3);
    EXPECT_EQ(button->pixelColor(70, 30), QColor(rgb.red, rgb.green, rgb.blue));
}

} // namespace
} // namespace tessalo
