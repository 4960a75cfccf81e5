#include "app/settings_tab.h"

#include "app/layout_import.h"
#include "app/layout_library.h"
#include "app/module_file_dialog.h"
#include "app/program_folders.h"
#include "platform/combo_choice.h"
#include "platform/cp1251_qstring.h"
#include "platform/dialog_builder.h"
#include "platform/message_box.h"
#include "platform/pe_module.h"
#include "platform/registry_settings.h"
#include "skin/pictures_module.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include <array>
#include <variant>

namespace tessalo {

namespace {

using Kind = ControlKind;
using Tab = SettingsTab;

constexpr std::array<DialogControl, 12> kControls = {{
    {Tab::kLayoutCombo, Kind::DropDownList, "", {9, 27, 74, 50}, kTabStop},
    {kNoControlId, Kind::GroupBox, "Layout", {1, 0, 294, 62}},
    {kNoControlId, Kind::GroupBox, "Tiles", {1, 63, 294, 62}},
    {Tab::kTilesCombo, Kind::DropDownList, "", {8, 89, 74, 50}, kTabStop},
    {Tab::kAddPicturesButton, Kind::PushButton, "Add...", {237, 87, 52, 14}, kTabStop},
    {Tab::kAddLayoutButton, Kind::PushButton, "Add...", {237, 25, 52, 14}, kTabStop},
    {kNoControlId, Kind::StaticLeft, "", {92, 14, 138, 40}},
    {kNoControlId, Kind::StaticLeft, "", {92, 75, 138, 26}},
    {Tab::kSoundBox, Kind::CheckBox, "Sound", {8, 109, 74, 10}, kTabStop},
    {Tab::kFillScreenBox, Kind::CheckBox, "Fill the screen", {92, 109, 138, 10}, kTabStop},
    // Beneath the Layout box: what is said about the board belongs with the layout.
    {Tab::kWarnNoWayOutBox,
     Kind::CheckBox,
     "Warn when the board can no longer be cleared",
     {8, 48, 220, 10},
     kTabStop},
    // Beside the Layout box: which deals of the layout are dealt.
    {Tab::kClearableDealsBox,
     Kind::CheckBox,
     "Only deals that can be cleared",
     {92, 29, 140, 10},
     kTabStop},
}};

constexpr DialogTemplate kTemplate{"", 296, 126, kControls};

constexpr const char* kAddPicturesTip = "Добавить картинки";
constexpr const char* kAddPicturesTitle = "Добавление картинок";
constexpr const char* kAddLayoutTitle = "Добавление варианта раскладки";

// The layout import speaks through message boxes owned by the page.
class WarningBoxes final : public MessageSink {
  public:
    explicit WarningBoxes(QWidget* owner) : owner_(owner) {}
    void showMessage(const std::string& text) override {
        showWarning(owner_, QString::fromStdString(text));
    }

  private:
    QWidget* owner_;
};

QString duplicatePicturesMessage(const std::string& name) {
    return QString::fromUtf8("Картинки \"") + qStringFromCp1251(name) +
           QString::fromUtf8("\" уже есть.");
}

} // namespace

SettingsTab::SettingsTab(AppState& state, std::function<void()> refillRecords, QWidget* parent,
                         std::filesystem::path configFolder)
    : QWidget(parent), state_(state), refillRecords_(std::move(refillRecords)),
      configFolder_(std::move(configFolder)) {
    buildDialog(*this, kTemplate, [this](int id) { onCommand(id); });
    fillCombos();
    whenChoiceMade(layoutCombo(), [this] { onCommand(kLayoutCombo); });
    whenChoiceMade(tilesCombo(), [this] { onCommand(kTilesCombo); });
    dialogControl<QPushButton>(*this, kAddPicturesButton)
        ->setToolTip(QString::fromUtf8(kAddPicturesTip));
    dialogControl<QCheckBox>(*this, kWarnNoWayOutBox)->setChecked(state_.warnNoWayOut);
    dialogControl<QCheckBox>(*this, kFillScreenBox)->setChecked(state_.fillScreen);
    dialogControl<QCheckBox>(*this, kClearableDealsBox)->setChecked(state_.clearableDeals);
}

QSize SettingsTab::pageSize() {
    return dialogPixelSize(kTemplate);
}

QComboBox& SettingsTab::layoutCombo() const {
    return *dialogControl<QComboBox>(*this, kLayoutCombo);
}

QComboBox& SettingsTab::tilesCombo() const {
    return *dialogControl<QComboBox>(*this, kTilesCombo);
}

void SettingsTab::fillCombos() {
    for (const LayoutRecord& layout : state_.layouts)
        layoutCombo().addItem(qStringFromCp1251(layout.nameText()));
    // An index outside the list leaves the box without a selection.
    layoutCombo().setCurrentIndex(state_.layoutIndex);
    for (const std::string& name : state_.pictureSetNames)
        tilesCombo().addItem(qStringFromCp1251(name));
    tilesCombo().setCurrentIndex(state_.picturesIndex);
}

void SettingsTab::onCommand(int id) {
    switch (id) {
    case kLayoutCombo:
        takeLayoutChoice();
        break;
    case kTilesCombo:
        takePicturesChoice();
        break;
    case kAddPicturesButton:
        if (const auto path = chooseModuleFile(this, QString::fromUtf8(kAddPicturesTitle), "*.tsp"))
            addPictureModule(bringModuleIntoProgramFolder(state_.folders, *path));
        break;
    case kAddLayoutButton:
        if (const auto path =
                chooseModuleFile(this, QString::fromUtf8(kAddLayoutTitle), "*.layout"))
            addLayoutModule(*path);
        break;
    case kSoundBox:
        soundOn_ = !soundOn_;
        break;
    case kWarnNoWayOutBox:
        state_.warnNoWayOut = dialogControl<QCheckBox>(*this, kWarnNoWayOutBox)->isChecked();
        break;
    case kFillScreenBox:
        takeFillScreenChoice();
        break;
    case kClearableDealsBox:
        // The records page shows the table of the deals chosen now.
        state_.clearableDeals = dialogControl<QCheckBox>(*this, kClearableDealsBox)->isChecked();
        refillRecords();
        break;
    default:
        break;
    }
}

void SettingsTab::takeFillScreenChoice() {
    state_.fillScreen = dialogControl<QCheckBox>(*this, kFillScreenBox)->isChecked();
    // Kept at once, so a run that does not end in order keeps the choice too.
    RegistryStore key = RegistryStore::openKey(kRegistryKey, configFolder_);
    setFillScreen(key, state_.fillScreen);
    key.flush();
}

void SettingsTab::takeLayoutChoice() {
    if (const int selected = layoutCombo().currentIndex(); selected >= 0)
        state_.layoutIndex = selected;
    refillRecords();
}

void SettingsTab::takePicturesChoice() {
    if (const int selected = tilesCombo().currentIndex(); selected >= 0)
        state_.picturesIndex = selected;
    refillRecords();
}

void SettingsTab::scanPictureModules() {
    RegistryStore::deleteKey(kMisspeltRegistryKey, configFolder_);
    for (const std::string& fileName : scannedPictureModules(state_.folders))
        addPictureModule(fileName);
}

void SettingsTab::addPictureModule(const std::string& fileName) {
    {
        // The add chooses the set itself, and refills the records once.
        const QSignalBlocker quiet(tilesCombo());
        addPictureSet(fileName);
        selectFirstPictureSet();
    }
    refillRecords();
}

// A module whose string 1 is missing or empty has no name to list or to file records under, so
// it is refused like a file without pictures.
void SettingsTab::addPictureSet(const std::string& fileName) {
    const auto opened = PeModule::open(locateModuleFile(state_.folders, fileName));
    const auto* module = std::get_if<PeModule>(&opened);
    const std::optional<std::string> name =
        module != nullptr && isPicturesModule(*module)
            ? module->loadString(kDisplayNameStringId, kDisplayNameBufferSize)
            : std::nullopt;
    if (!name || name->empty()) {
        showWarning(this, QString::fromUtf8(kNoPicturesInModuleMessage));
        return;
    }
    for (const std::string& existing : state_.pictureSetNames) {
        if (existing == *name) {
            showWarning(this, duplicatePicturesMessage(*name));
            return;
        }
    }
    state_.pictureSetNames.push_back(*name);
    state_.pictureModuleFiles.push_back(fileName);
    tilesCombo().addItem(qStringFromCp1251(*name));
}

void SettingsTab::selectFirstPictureSet() {
    tilesCombo().setCurrentIndex(0);
    if (const int selected = tilesCombo().currentIndex(); selected >= 0)
        state_.picturesIndex = selected;
}

void SettingsTab::addLayoutModule(const std::filesystem::path& path) {
    WarningBoxes messages(this);
    const std::optional<std::string> added =
        importLayoutModule(path, state_.layouts, kLayoutLibraryFileName, messages);
    if (!added)
        return;
    // Into an empty box the new layout becomes the shown item, and so the current layout.
    layoutCombo().addItem(qStringFromCp1251(*added));
}

void SettingsTab::refillRecords() const {
    if (refillRecords_)
        refillRecords_();
}

} // namespace tessalo
