#pragma once

#include "game/layout_record.h"
#include "platform/registry_store.h"
#include "records/records_table.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QTreeWidget;

namespace tessalo {

// The "Records" page: the records of the current layout, optionally only those played with the
// current picture set. Column widths and the filter are kept in the registry store between runs.
// The layout and picture set whose records the page shows; null where there is none.
struct RecordsChoice {
    const LayoutRecord* layout = nullptr;
    const std::string* picturesName = nullptr;
    const RecordsTable* table = nullptr; // null: the page's own table
    bool clearableDeals = false;         // the caption says whose records these are
};

class RecordsTab final : public QWidget {
  public:
    enum Control { kRecordsList = 1023, kLayoutText = 1035, kPicturesOnlyBox = 1036 };
    static constexpr int kColumnCount = 7;
    static constexpr std::uint32_t kFilterOn = 0xFFFFFFFF;

    RecordsTab(const RecordsTable& table, std::function<RecordsChoice()> currentChoice,
               QWidget* parent,
               std::filesystem::path configFolder = RegistryStore::userConfigFolder());
    // Stores the widths shown now and the filter, once the page has been initialised.
    ~RecordsTab() override;

    // The page's own size, the same whatever font the desktop has.
    static QSize pageSize();

    // The page is initialised when it is first shown; until then a refill does nothing and the
    // registry store is neither read nor written. Calling it again does nothing.
    void initialise();
    bool ready() const { return ready_; }
    // Rebuilds the captions and the rows from the table in memory.
    void refill();
    void onCommand(int id);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QTreeWidget& list() const;
    QCheckBox& picturesOnlyBox() const;
    QLabel& layoutText() const;
    void readStoredSettings();
    void storeSettings() const;
    bool shows(const RecordEntry& entry) const;

    const RecordsTable& table_;
    std::function<RecordsChoice()> currentChoice_;
    std::filesystem::path configFolder_;
    std::array<int, kColumnCount> columnWidths_{};
    std::uint32_t picOnly_ = 0;
    bool ready_ = false;
};

} // namespace tessalo
