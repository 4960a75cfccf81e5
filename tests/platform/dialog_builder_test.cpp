#include "platform/dialog_builder.h"
#include "platform/dialog_caption_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace tessalo {
namespace {

using Kind = ControlKind;

// One control of each kind, laid out roomily.
constexpr std::array<DialogControl, 12> kEveryKind = {{
    {10, Kind::DefaultPushButton, "OK", {4, 4, 50, 14}, kTabStop},
    {11, Kind::PushButton, "Later", {60, 4, 50, 14}, kTabStop | kDisabled},
    {kNoControlId, Kind::StaticRight, "Right", {4, 22, 60, 8}},
    {kNoControlId, Kind::StaticIcon, ":/no-such-icon.png", {70, 22, 21, 20}},
    {12, Kind::Edit, "typed", {4, 44, 100, 13}, kBorder | kTabStop},
    {13, Kind::ProgressBar, "", {4, 60, 100, 10}, kBorder},
    {14, Kind::CheckBox, "Sound", {4, 74, 74, 10}, kTabStop},
    {15, Kind::DropDownList, "", {4, 88, 74, 50}, kTabStop},
    {16, Kind::ListView, "", {110, 4, 100, 60}, kBorder | kTabStop | kNoSortHeader},
    {17, Kind::TabControl, "", {110, 70, 100, 60}, kTabStop},
    {kNoControlId, Kind::GroupBox, "Tiles", {2, 100, 100, 40}},
    {kNoControlId, Kind::StaticCentre, "Centre", {4, 110, 60, 8}},
}};

TEST(DialogBuilder, MakesEveryKindNamedByItsIdAndReportsClicks) {
    QWidget page;
    std::vector<int> commands;
    buildDialog(page, {"", 220, 150, kEveryKind}, [&](int id) { commands.push_back(id); });

    EXPECT_EQ(page.size(), QSize(330, 244)); // 220 · 6 / 4, 150 · 13 / 8 = 243.75
    auto* ok = dialogControl<QPushButton>(page, 10);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(dialogControl<QPushButton>(page, 11)->isEnabled());
    auto* right = page.findChild<QLabel*>("-1#1");
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(right->text(), "Right");
    EXPECT_TRUE(right->alignment() & Qt::AlignRight);
    ASSERT_NE(page.findChild<QLabel*>("-1#2"), nullptr);
    EXPECT_FALSE(page.findChild<QLabel*>("-1#2")->pixmap().isNull()); // the style's icon instead
    EXPECT_EQ(page.findChild<QLabel*>("-1#4")->text(), "Centre");
    EXPECT_EQ(dialogControl(page, kNoControlId), nullptr);

    EXPECT_EQ(dialogControl<QLineEdit>(page, 12)->text(), "typed");
    EXPECT_NE(dialogControl<QProgressBar>(page, 13), nullptr);
    auto* list = dialogControl<QTreeWidget>(page, 16);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->header()->sectionsClickable());
    EXPECT_NE(dialogControl<QTabWidget>(page, 17), nullptr);

    // Closed, the drop-down list is one line high, not the 81 pixels of its open list.
    auto* combo = dialogControl<QComboBox>(page, 15);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->pos(), QPoint(6, 143));
    EXPECT_LT(combo->height(), 40);

    // The group box frames the text inside it without covering it.
    auto* group = page.findChild<QGroupBox*>("-1#3");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(page.children().indexOf(group), 0);
    EXPECT_TRUE(group->testAttribute(Qt::WA_TransparentForMouseEvents));

    ok->click();
    dialogControl<QCheckBox>(page, 14)->click();
    EXPECT_EQ(commands, (std::vector<int>{10, 14}));
    EXPECT_TRUE(dialogControl<QCheckBox>(page, 14)->isChecked());
}

TEST(DialogBuilder, CaptionsTooWideForTheirControlsAreReported) {
    // 12 units are 18 pixels: no font the builder may pick gets these words into them.
    constexpr std::array<DialogControl, 5> controls = {{
        {1, Kind::PushButton, "Compress", {0, 0, 12, 14}},
        {2, Kind::StaticLeft, "Remains", {0, 20, 12, 8}},
        {3, Kind::CheckBox, "Sound", {0, 30, 12, 10}},
        {4, Kind::GroupBox, "Layout", {0, 40, 12, 30}},
        {5, Kind::StaticLeft, "Fits", {0, 80, 100, 8}},
    }};
    QWidget page;
    buildDialog(page, {"", 120, 100, controls});
    std::vector<QString> reported;
    for (const auto& overflow : captionOverflows(page)) {
        reported.push_back(overflow.control);
        EXPECT_GT(overflow.captionWidth, overflow.room);
    }
    std::sort(reported.begin(), reported.end());
    EXPECT_EQ(reported, (std::vector<QString>{"1", "2", "3", "4"}));
}

TEST(DialogBuilder, WrappingStaticTextMustFitItsLines) {
    constexpr std::array<DialogControl, 2> controls = {{
        {1, Kind::StaticLeft, "one two three four five six", {0, 0, 60, 16}},
        {2, Kind::StaticLeft, "one two three four five six seven eight nine ten", {0, 20, 30, 16}},
    }};
    QWidget page;
    buildDialog(page, {"", 100, 40, controls});
    const auto overflows = captionOverflows(page);
    ASSERT_EQ(overflows.size(), 1u);
    EXPECT_EQ(overflows[0].control, "2");
}

} // namespace
} // namespace tessalo
