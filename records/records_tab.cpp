#include "records/records_tab.h"

#include "platform/cp1251_qstring.h"
#include "platform/dialog_builder.h"
#include "platform/registry_settings.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPalette>
#include <QTreeWidget>

namespace tessalo {

namespace {

using Kind = ControlKind;
using Tab = RecordsTab;

constexpr std::array<DialogControl, 3> kControls = {{
    {Tab::kRecordsList, Kind::ListView, "", {7, 7, 284, 106}, kBorder | kTabStop | kNoSortHeader},
    {Tab::kLayoutText, Kind::StaticRight, "Layout - ", {149, 115, 142, 8}},
    {Tab::kPicturesOnlyBox, Kind::CheckBox, "Only", {7, 115, 108, 10}, kTabStop},
}};

constexpr DialogTemplate kTemplate{"", 298, 127, kControls};

struct Column {
    const char* header;
    Qt::Alignment alignment;
    const char* measuringText; // its width in the list's font + 16 is the default width
    const char* registryValue;
};

const std::array<Column, Tab::kColumnCount> kColumns = {{
    {"N", Qt::AlignLeft, "N", "cw0"},
    {"Player name", Qt::AlignLeft, "Player Name", "cw1"},
    {"Remains", Qt::AlignHCenter, "Остаток", "cw2"},
    {"Time", Qt::AlignHCenter, "Time", "cw3"},
    {"Hints", Qt::AlignHCenter, "Hints", "cw4"},
    {"Tiles", Qt::AlignHCenter, "Tiles", "cw5"},
    {"Date", Qt::AlignHCenter, "Date", "cw6"},
}};

constexpr int kColumnMargin = 16;
constexpr const char* kPicOnlyValue = "PicOnly";
constexpr const char* kPicturesOnlyTip = "Оставить записи только с текущими картинками";

const QColor kDataText(0, 255, 192);
const QColor kDataBackground(0, 0, 0);

void paintDataColours(QWidget& list) {
    QPalette colours = list.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Text, kDataText);
        colours.setColor(group, QPalette::Base, kDataBackground);
        colours.setColor(group, QPalette::AlternateBase, kDataBackground);
    }
    list.setPalette(colours);
}

QStringList cellsOf(int rowNumber, const RecordEntry& entry) {
    return {QString::number(rowNumber) + '.', qStringFromCp1251(entry.playerName),
            QString::number(entry.remains),   QString::fromStdString(recordTimeText(entry.seconds)),
            QString::number(entry.hints),     qStringFromCp1251(entry.picturesName),
            qStringFromCp1251(entry.dateText)};
}

} // namespace

RecordsTab::RecordsTab(const RecordsTable& table, std::function<RecordsChoice()> currentChoice,
                       QWidget* parent, std::filesystem::path configFolder)
    : QWidget(parent), table_(table), currentChoice_(std::move(currentChoice)),
      configFolder_(std::move(configFolder)) {
    buildDialog(*this, kTemplate, [this](int id) { onCommand(id); });
}

QSize RecordsTab::pageSize() {
    return dialogPixelSize(kTemplate);
}

RecordsTab::~RecordsTab() {
    if (ready_)
        storeSettings();
}

QTreeWidget& RecordsTab::list() const {
    return *dialogControl<QTreeWidget>(*this, kRecordsList);
}

QCheckBox& RecordsTab::picturesOnlyBox() const {
    return *dialogControl<QCheckBox>(*this, kPicturesOnlyBox);
}

QLabel& RecordsTab::layoutText() const {
    return *dialogControl<QLabel>(*this, kLayoutText);
}

void RecordsTab::showEvent(QShowEvent* event) {
    initialise();
    QWidget::showEvent(event);
}

void RecordsTab::initialise() {
    if (ready_)
        return;
    QTreeWidget& records = list();
    paintDataColours(records);

    const QFontMetrics metrics(records.font());
    for (int column = 0; column < kColumnCount; ++column)
        columnWidths_[std::size_t(column)] = metrics.horizontalAdvance(QString::fromUtf8(
                                                 kColumns[std::size_t(column)].measuringText)) +
                                             kColumnMargin;
    readStoredSettings();

    records.setColumnCount(kColumnCount);
    QTreeWidgetItem* headers = records.headerItem();
    // A stored width of a few pixels must come back as it was stored.
    records.header()->setMinimumSectionSize(0);
    for (int column = 0; column < kColumnCount; ++column) {
        const Column& columnInfo = kColumns[std::size_t(column)];
        headers->setText(column, QString::fromUtf8(columnInfo.header));
        headers->setTextAlignment(column, columnInfo.alignment | Qt::AlignVCenter);
        records.header()->resizeSection(column, columnWidths_[std::size_t(column)]);
    }

    ready_ = true;
    picturesOnlyBox().setChecked(picOnly_ != 0);
    refill();
    picturesOnlyBox().setToolTip(QString::fromUtf8(kPicturesOnlyTip));
}

void RecordsTab::readStoredSettings() {
    const RegistryStore key = RegistryStore::openKey(kRegistryKey, configFolder_);
    for (int column = 0; column < kColumnCount; ++column) {
        // A negative width would be refused by the list; none is no wider than a hidden column.
        if (const auto width = key.queryDword(kColumns[std::size_t(column)].registryValue))
            columnWidths_[std::size_t(column)] = std::max(0, *width);
    }
    if (const auto filter = key.queryDword(kPicOnlyValue))
        picOnly_ = static_cast<std::uint32_t>(*filter);
}

void RecordsTab::storeSettings() const {
    // Failures are not reported: the widths and the filter are only lost for the next run.
    RegistryStore key = RegistryStore::openKey(kRegistryKey, configFolder_);
    const QHeaderView& header = *list().header();
    for (int column = 0; column < kColumnCount; ++column)
        key.setDword(kColumns[std::size_t(column)].registryValue, header.sectionSize(column));
    key.setDword(kPicOnlyValue, static_cast<std::int32_t>(picOnly_));
    key.flush();
}

void RecordsTab::onCommand(int id) {
    if (id != kPicturesOnlyBox)
        return;
    picOnly_ = picOnly_ != 0 ? 0 : kFilterOn;
    refill();
}

// With no picture set installed there are no current pictures, so the filter admits no record.
bool RecordsTab::shows(const RecordEntry& entry) const {
    const RecordsChoice choice = currentChoice_();
    if (choice.layout == nullptr || entry.layoutName != choice.layout->nameText())
        return false;
    if (picOnly_ == 0)
        return true;
    return choice.picturesName != nullptr && entry.picturesName == *choice.picturesName;
}

void RecordsTab::refill() {
    if (!ready_)
        return;
    const RecordsChoice choice = currentChoice_();
    picturesOnlyBox().setText(
        "Only " + (choice.picturesName ? qStringFromCp1251(*choice.picturesName) : QString()));
    layoutText().setText(
        "Layout - " + (choice.layout ? qStringFromCp1251(choice.layout->nameText()) : QString()) +
        (choice.clearableDeals ? QStringLiteral(" (clearable deals)") : QString()));
    const RecordsTable& table = choice.table != nullptr ? *choice.table : table_;

    QTreeWidget& records = list();
    records.clear();
    QList<QTreeWidgetItem*> rows;
    for (const RecordEntry& entry : table.entries()) {
        if (!shows(entry))
            continue;
        auto* row = new QTreeWidgetItem(cellsOf(int(rows.size()) + 1, entry));
        for (int column = 0; column < kColumnCount; ++column)
            row->setTextAlignment(column,
                                  kColumns[std::size_t(column)].alignment | Qt::AlignVCenter);
        rows.push_back(row);
    }
    records.addTopLevelItems(rows);
}

} // namespace tessalo
