#pragma once

#include "app/app_state.h"
#include "platform/registry_store.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <string>

class QComboBox;

namespace tessalo {

inline constexpr const char* kNoPicturesInModuleMessage = "Выбранный модуль не содержит картинок";

// The "Settings" page: the layout and picture set of the next games, adding picture sets and
// layouts from their modules, the game sound and the warning when the board has no way out. Its
// choices change `AppState` at once.
class SettingsTab final : public QWidget {
  public:
    enum Control {
        kLayoutCombo = 1022,
        kTilesCombo = 1026,
        kAddPicturesButton = 1027,
        kAddLayoutButton = 1030,
        kSoundBox = 1045,
        kWarnNoWayOutBox = 1051,
        kFillScreenBox = 1046,
        kClearableDealsBox = 1047,
    };

    // `refillRecords` rebuilds the records page for the current layout and picture set.
    // `configFolder` holds the registry store whose misspelt key the scan deletes.
    SettingsTab(AppState& state, std::function<void()> refillRecords, QWidget* parent,
                std::filesystem::path configFolder = RegistryStore::userConfigFolder());

    // The page's own size, the same whatever font the desktop has.
    static QSize pageSize();

    // Off at every start; never stored.
    bool soundOn() const { return soundOn_; }
    // Adds every pictures module of the program's folder (the current directory), by name, then
    // those shipped in the installed folder of a game that keeps a folder per player.
    void scanPictureModules();
    // `fileName` is looked up in the program's folder, whatever folder it was chosen in, then
    // among the shipped sets. Every call, added or refused, leaves the first picture set selected.
    void addPictureModule(const std::string& fileName);
    // Imports the layout module at `path` into the library and lists the new layout last; the
    // current layout stays.
    void addLayoutModule(const std::filesystem::path& path);
    // The commands of the controls; 1022 and 1026 stand for a new item shown in their box, or
    // their list closing.
    void onCommand(int id);

  private:
    QComboBox& layoutCombo() const;
    QComboBox& tilesCombo() const;
    void fillCombos();
    void takeLayoutChoice();
    void takePicturesChoice();
    void takeFillScreenChoice();
    void addPictureSet(const std::string& fileName);
    void selectFirstPictureSet();
    void refillRecords() const;

    AppState& state_;
    std::function<void()> refillRecords_;
    std::filesystem::path configFolder_;
    bool soundOn_ = false;
};

} // namespace tessalo
