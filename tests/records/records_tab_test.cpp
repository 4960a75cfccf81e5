#include "records/records_tab.h"

#include "platform/dialog_caption_fit.h"
#include "platform/registry_settings.h"
#include "records_test_support.h"
#include "tests/platform/pe_test_support.h"
#include "tests/support/current_directory.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace tessalo {
namespace {

namespace fs = std::filesystem;
using test::entry;

LayoutRecord layoutNamed(const std::string& name) {
    LayoutRecord layout;
    layout.setName(name);
    return layout;
}

RecordEntry timed(std::string player, std::int32_t seconds, std::string pictures,
                  std::string layout) {
    RecordEntry e =
        entry(std::move(player), std::uint32_t(seconds), std::move(pictures), std::move(layout));
    e.remains = 4;
    e.hints = 2;
    return e;
}

// The lists and indices of the run, changed by the tests as the settings page changes them.
struct RunLists {
    std::vector<LayoutRecord> layouts;
    std::int32_t layoutIndex = 0;
    std::vector<std::string> pictureSetNames;
    std::int32_t picturesIndex = 0;

    RecordsChoice current() const {
        RecordsChoice choice;
        if (layoutIndex >= 0 && std::size_t(layoutIndex) < layouts.size())
            choice.layout = &layouts[std::size_t(layoutIndex)];
        if (picturesIndex >= 0 && std::size_t(picturesIndex) < pictureSetNames.size())
            choice.picturesName = &pictureSetNames[std::size_t(picturesIndex)];
        return choice;
    }
};

class RecordsTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state.layouts = {layoutNamed("Lay1"), layoutNamed("Lay2")};
        state.pictureSetNames = {"Set1", "Set2"};
        // In score order, as the table keeps them.
        auto& entries = table.mutableEntries();
        entries.push_back(timed("Ann", 59, "Set1", "Lay1"));
        entries.push_back(timed("Bob", 100, "Set2", "Lay1"));
        entries.push_back(timed("Cid", 200, "Set1", "Lay2"));
        entries.push_back(timed("Dan", 600, "Set1", "Lay1"));
    }

    std::unique_ptr<RecordsTab> makeTab() {
        return std::make_unique<RecordsTab>(
            table, [this] { return state.current(); }, nullptr, configFolder);
    }
    std::unique_ptr<RecordsTab> openTab() {
        auto tab = makeTab();
        tab->show();
        return tab;
    }
    static QTreeWidget& list(const RecordsTab& tab) { return *tab.findChild<QTreeWidget*>("1023"); }
    static QCheckBox& onlyBox(const RecordsTab& tab) { return *tab.findChild<QCheckBox*>("1036"); }
    static QString layoutCaption(const RecordsTab& tab) {
        return tab.findChild<QLabel*>("1035")->text();
    }
    // Player names of the rows, with their numbers.
    static QStringList rows(const RecordsTab& tab) {
        QStringList shown;
        const QTreeWidget& records = list(tab);
        for (int row = 0; row < records.topLevelItemCount(); ++row)
            shown << records.topLevelItem(row)->text(0) + records.topLevelItem(row)->text(1);
        return shown;
    }
    RegistryStore storedKey() const { return RegistryStore::openKey(kRegistryKey, configFolder); }
    void store(const std::map<std::string, RegistryStore::Value>& values) const {
        const fs::path file = RegistryStore::storePath(configFolder, kRegistryKey);
        fs::create_directories(file.parent_path());
        test::writeFile(file, RegistryStore::serialize(values));
    }
    static RegistryStore::Value dword(std::uint32_t value) {
        return {RegistryStore::Type::Dword,
                {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
                 std::uint8_t(value >> 24)}};
    }

    test::TempDir folder;
    test::CurrentDirectory inFolder{folder.path()};
    fs::path configFolder = folder.path() / "config";
    test::ScriptedPrompt prompt;
    RecordsTable table{prompt};
    RunLists state;
};

// Pixels from the units by hand: x · 6 / 4 and y · 13 / 8, each corner rounded to the nearest.
TEST_F(RecordsTabTest, PageControlsColumnsAndColours) {
    auto tab = openTab();
    EXPECT_EQ(tab->size(), QSize(447, 206)); // 298 × 127 units
    QTreeWidget& records = list(*tab);
    EXPECT_EQ(records.geometry(), QRect(11, 11, 426, 173)); // 7, 7, 284 × 106
    EXPECT_EQ(tab->findChild<QLabel*>("1035")->geometry(), QRect(224, 187, 213, 13));
    EXPECT_TRUE(tab->findChild<QLabel*>("1035")->alignment() & Qt::AlignRight);
    EXPECT_EQ(onlyBox(*tab).geometry(), QRect(11, 187, 162, 16)); // 7, 115, 108 × 10
    EXPECT_EQ(onlyBox(*tab).toolTip(),
              QString::fromUtf8("Оставить записи только с текущими картинками"));
    EXPECT_FALSE(records.header()->sectionsClickable());

    const char* headers[] = {"N", "Player name", "Remains", "Time", "Hints", "Tiles", "Date"};
    const char* measured[] = {"N", "Player Name", "Остаток", "Time", "Hints", "Tiles", "Date"};
    const bool centred[] = {false, false, true, true, true, true, true};
    const QFontMetrics metrics(records.font());
    ASSERT_EQ(records.columnCount(), 7);
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(records.headerItem()->text(column), headers[column]);
        const int alignment = records.headerItem()->textAlignment(column);
        EXPECT_EQ((alignment & Qt::AlignHCenter) != 0, centred[column]) << column;
        EXPECT_EQ(records.topLevelItem(0)->textAlignment(column) & Qt::AlignHCenter,
                  alignment & Qt::AlignHCenter)
            << column;
        EXPECT_EQ(records.header()->sectionSize(column),
                  metrics.horizontalAdvance(QString::fromUtf8(measured[column])) + 16)
            << column;
    }

    EXPECT_EQ(records.palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(records.palette().color(QPalette::Text), QColor(0, 255, 192));

    for (const auto& overflow : captionOverflows(*tab))
        ADD_FAILURE() << overflow.control.toStdString() << " \"" << overflow.caption.toStdString()
                      << "\" needs " << overflow.captionWidth << " of " << overflow.room;
}

TEST_F(RecordsTabTest, RowsOfTheCurrentLayout_NumberedWithTheirCells) {
    auto tab = openTab();
    ASSERT_TRUE(tab->ready());
    EXPECT_EQ(onlyBox(*tab).text(), "Only Set1");
    EXPECT_EQ(layoutCaption(*tab), "Layout - Lay1");
    EXPECT_EQ(rows(*tab), QStringList({"1.Ann", "2.Bob", "3.Dan"}));

    const QTreeWidgetItem& first = *list(*tab).topLevelItem(0);
    const QStringList firstCells = {"1.", "Ann", "4", "0:59", "2", "Set1", "7.3.1999"};
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(first.text(column), firstCells[column]) << column;
    EXPECT_EQ(list(*tab).topLevelItem(2)->text(3), "10:00");

    state.layoutIndex = 1;
    tab->refill();
    EXPECT_EQ(layoutCaption(*tab), "Layout - Lay2");
    EXPECT_EQ(rows(*tab), QStringList({"1.Cid"}));
}

TEST_F(RecordsTabTest, NoRecordsForTheLayout_HeadersOnlyAndTheCaptionsStillShown) {
    table.mutableEntries().clear();
    state.picturesIndex = 1;
    auto tab = openTab();
    EXPECT_EQ(list(*tab).topLevelItemCount(), 0);
    EXPECT_EQ(list(*tab).headerItem()->text(1), "Player name");
    EXPECT_EQ(onlyBox(*tab).text(), "Only Set2");
    EXPECT_EQ(layoutCaption(*tab), "Layout - Lay1");
}

TEST_F(RecordsTabTest, Filter_KeepsTheCurrentSetAndTwoClicksRestore) {
    {
        auto tab = openTab();
        EXPECT_FALSE(onlyBox(*tab).isChecked());
        onlyBox(*tab).click();
        EXPECT_TRUE(onlyBox(*tab).isChecked());
        EXPECT_EQ(rows(*tab), QStringList({"1.Ann", "2.Dan"}));

        // With the filter on a change of picture set changes the rows too.
        state.picturesIndex = 1;
        tab->refill();
        EXPECT_EQ(onlyBox(*tab).text(), "Only Set2");
        EXPECT_EQ(rows(*tab), QStringList({"1.Bob"}));
    }
    EXPECT_EQ(storedKey().queryDword("PicOnly"), std::int32_t(0xFFFFFFFF));

    auto tab = openTab();
    EXPECT_TRUE(onlyBox(*tab).isChecked());
    EXPECT_EQ(rows(*tab), QStringList({"1.Bob"}));
    onlyBox(*tab).click();
    EXPECT_FALSE(onlyBox(*tab).isChecked());
    EXPECT_EQ(rows(*tab), QStringList({"1.Ann", "2.Bob", "3.Dan"}));
    // With the filter off a change of picture set only renames the box.
    state.picturesIndex = 0;
    tab->refill();
    EXPECT_EQ(onlyBox(*tab).text(), "Only Set1");
    EXPECT_EQ(rows(*tab), QStringList({"1.Ann", "2.Bob", "3.Dan"}));
    tab.reset();
    EXPECT_EQ(storedKey().queryDword("PicOnly"), 0);
}

TEST_F(RecordsTabTest, StoredPicOnlyOfOne_CountsAsOn) {
    store({{"PicOnly", dword(1)}});
    auto tab = openTab();
    EXPECT_TRUE(onlyBox(*tab).isChecked());
    EXPECT_EQ(rows(*tab), QStringList({"1.Ann", "2.Dan"}));
    onlyBox(*tab).click();
    EXPECT_EQ(rows(*tab), QStringList({"1.Ann", "2.Bob", "3.Dan"}));
    tab.reset();
    EXPECT_EQ(storedKey().queryDword("PicOnly"), 0);
}

// There are no current pictures to keep records of, so the filter keeps none.
TEST_F(RecordsTabTest, NoPictureSetInstalled_CaptionIsOnlyAndTheFilterKeepsNothing) {
    state.pictureSetNames.clear();
    store({{"PicOnly", dword(0xFFFFFFFF)}});
    auto tab = openTab();
    EXPECT_EQ(onlyBox(*tab).text(), "Only ");
    EXPECT_EQ(rows(*tab), QStringList());
    onlyBox(*tab).click();
    EXPECT_EQ(rows(*tab), QStringList({"1.Ann", "2.Bob", "3.Dan"}));
}

TEST_F(RecordsTabTest, Widths_ReadAtInitialisationAndStoredAsShown) {
    // A value of the wrong size or type leaves the default width.
    store({{"cw0", dword(33)},
           {"cw1", dword(140)},
           {"cw2", {RegistryStore::Type::Dword, {50, 0}}},
           {"cw3", {RegistryStore::Type::String, {'7', '0'}}},
           {"cw6", dword(5)}});
    std::array<int, 7> defaults{};
    {
        auto tab = openTab();
        const QHeaderView& header = *list(*tab).header();
        const QFontMetrics metrics(list(*tab).font());
        EXPECT_EQ(header.sectionSize(0), 33);
        EXPECT_EQ(header.sectionSize(1), 140);
        EXPECT_EQ(header.sectionSize(2),
                  metrics.horizontalAdvance(QString::fromUtf8("Остаток")) + 16);
        EXPECT_EQ(header.sectionSize(3), metrics.horizontalAdvance("Time") + 16);
        EXPECT_EQ(header.sectionSize(6), 5);
        for (int column = 0; column < 7; ++column)
            defaults[std::size_t(column)] = header.sectionSize(column);
        // The player drags a divider.
        list(*tab).header()->resizeSection(4, 77);
    }
    const RegistryStore key = storedKey();
    const char* values[] = {"cw0", "cw1", "cw2", "cw3", "cw4", "cw5", "cw6"};
    for (int column = 0; column < 7; ++column)
        EXPECT_EQ(key.queryDword(values[column]), column == 4 ? 77 : defaults[std::size_t(column)])
            << column;
    EXPECT_EQ(key.queryDword("PicOnly"), 0);
}

TEST_F(RecordsTabTest, BeforeItIsShown_RefillDoesNothingAndNothingIsStored) {
    {
        auto tab = makeTab();
        EXPECT_FALSE(tab->ready());
        tab->refill();
        EXPECT_EQ(list(*tab).topLevelItemCount(), 0);
        EXPECT_EQ(onlyBox(*tab).text(), "Only");
        EXPECT_EQ(layoutCaption(*tab), "Layout - ");

        tab->show();
        EXPECT_TRUE(tab->ready());
        EXPECT_EQ(rows(*tab), QStringList({"1.Ann", "2.Bob", "3.Dan"}));
        tab->hide();
    }
    EXPECT_TRUE(storedKey().queryDword("cw0").has_value());

    fs::remove_all(configFolder);
    makeTab().reset();
    EXPECT_FALSE(fs::exists(RegistryStore::storePath(configFolder, kRegistryKey)));
}

TEST_F(RecordsTabTest, AStoredResult_ShowsAtItsRankOnTheNextRefill) {
    table.mutableEntries().clear();
    ASSERT_TRUE(table.load(true)); // no file yet: an empty table
    ASSERT_TRUE(table.insert(timed("Old", 300, "Set1", "Lay1")));
    auto tab = openTab();
    EXPECT_EQ(rows(*tab), QStringList({"1.Old"}));

    ASSERT_TRUE(table.insert(timed("New", 120, "Set1", "Lay1")));
    tab->refill();
    EXPECT_EQ(rows(*tab), QStringList({"1.New", "2.Old"}));
    EXPECT_EQ(list(*tab).topLevelItem(0)->text(3), "2:00");
}

} // namespace
} // namespace tessalo
