#include "app/page_tabs.h"

#include "app/settings_tab.h"
#include "records/records_tab.h"

#include <QTabWidget>

namespace tessalo {

PageTabs::PageTabs(QTabWidget& control, AppState& state, const RecordsTable& records,
                   std::filesystem::path configFolder)
    : QObject(&control), control_(control), state_(state), table_(records),
      configFolder_(std::move(configFolder)) {
    // Each tab's display area is an empty holder until its page is made in it.
    for (const char* item : {"Settings", "Records"}) {
        auto* displayArea = new QWidget;
        displayArea->setObjectName(QStringLiteral("%1 area").arg(QLatin1String(item)));
        control_.addTab(displayArea, QString::fromLatin1(item));
    }
    control_.setCurrentIndex(kSettingsItem);
    connect(&control_, &QTabWidget::currentChanged, this, [this] { showSelectedPage(); });
}

void PageTabs::showSelectedPage() {
    const int item = control_.currentIndex();
    QWidget* displayArea = control_.widget(item);
    if (displayArea == nullptr)
        return;
    if (item == kSettingsItem) {
        if (!settings_) {
            settings_ = new SettingsTab(
                state_, [this] { refillRecords(); }, displayArea, configFolder_);
            place(*settings_, *displayArea);
        }
        if (records_)
            records_->hide();
        settings_->show();
    } else if (item == kRecordsItem) {
        if (!records_) {
            const auto currentChoice = [this] {
                RecordsChoice choice{state_.currentLayout(), state_.currentPictureSetName()};
                if (state_.clearableDeals && clearableTable_ != nullptr) {
                    choice.table = clearableTable_;
                    choice.clearableDeals = true;
                }
                return choice;
            };
            records_ = new RecordsTab(table_, currentChoice, displayArea, configFolder_);
            place(*records_, *displayArea);
        }
        if (settings_)
            settings_->hide();
        records_->show();
    }
}

void PageTabs::place(QWidget& page, QWidget& displayArea) {
    // At the display area's top-left corner with the page's own size, above its siblings.
    page.move(displayArea.contentsRect().topLeft());
    page.raise();
}

SettingsTab* PageTabs::settingsTab() const {
    return settings_;
}

RecordsTab* PageTabs::recordsTab() const {
    return records_;
}

void PageTabs::refillRecords() {
    if (records_)
        records_->refill();
}

} // namespace tessalo
