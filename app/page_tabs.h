#pragma once

#include <QObject>
#include <QPointer>

#include <filesystem>

class QTabWidget;

namespace tessalo {

struct AppState;
class RecordsTab;
class RecordsTable;
class SettingsTab;

// The main dialog's tab control 1021 and its two pages. A page is made the first time its tab is
// selected and lives until the dialog closes, so a page nobody looks at never reads or writes
// its settings.
class PageTabs final : public QObject {
  public:
    static constexpr int kTabControlId = 1021;
    static constexpr int kSettingsItem = 0;
    static constexpr int kRecordsItem = 1;

    PageTabs(QTabWidget& control, AppState& state, const RecordsTable& records,
             std::filesystem::path configFolder);

    // Makes the selected item's page if it has none yet and shows it; runs on every change of
    // the selection and once when the dialog starts.
    void showSelectedPage();

    // Null until their tab has been selected once.
    SettingsTab* settingsTab() const;
    RecordsTab* recordsTab() const;
    // Rebuilds the records list; nothing to do while the records page does not exist.
    void refillRecords();
    // The table the records page shows while clearable deals are chosen.
    void setClearableRecords(const RecordsTable* table) { clearableTable_ = table; }

  private:
    void place(QWidget& page, QWidget& displayArea);

    QTabWidget& control_;
    AppState& state_;
    const RecordsTable& table_;
    const RecordsTable* clearableTable_ = nullptr;
    std::filesystem::path configFolder_;
    QPointer<SettingsTab> settings_;
    QPointer<RecordsTab> records_;
};

} // namespace tessalo
