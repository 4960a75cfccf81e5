#include "app/page_tabs.h"

#include "app/settings_tab.h"
#include "records/records_tab.h"

#include <QTabWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace tessalo {

namespace {

// A tab's display area, empty until its page is made, that asks the tab control for room for that
// page: the control's tab row and frame are the style's and may be taller than the ones the
// dialog was laid out for.
class DisplayArea final : public QWidget {
  public:
    explicit DisplayArea(QSize page) : page_(page) {}
    QSize minimumSizeHint() const override { return page_; }
    QSize sizeHint() const override { return page_; }

  private:
    QSize page_;
};

// Grows `control` down until its display areas hold their pages. The room below it is used first,
// keeping at least the margin it has above; what that cannot hold moves the controls below it
// down and makes the dialog taller.
void growToHoldPages(QTabWidget& control) {
    const int shortfall = control.minimumSizeHint().height() - control.height();
    QWidget* dialog = control.parentWidget();
    if (shortfall <= 0 || dialog == nullptr)
        return;
    const int oldBottom = control.geometry().bottom();
    std::vector<QWidget*> below;
    int room = dialog->height() - oldBottom - 1;
    for (QWidget* sibling : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (sibling != &control && !sibling->isWindow() && sibling->y() > oldBottom) {
            below.push_back(sibling);
            room = std::min(room, sibling->y() - oldBottom - 1);
        }
    }
    control.resize(control.width(), control.height() + shortfall);
    const int push = std::max(0, shortfall - std::max(0, room - control.y()));
    if (push == 0)
        return;
    for (QWidget* sibling : below)
        sibling->move(sibling->x(), sibling->y() + push);
    dialog->setFixedSize(dialog->width(), dialog->height() + push);
}

} // namespace

PageTabs::PageTabs(QTabWidget& control, AppState& state, const RecordsTable& records,
                   std::filesystem::path configFolder)
    : QObject(&control), control_(control), state_(state), table_(records),
      configFolder_(std::move(configFolder)) {
    // Each tab's display area is an empty holder until its page is made in it.
    const std::pair<const char*, QSize> items[] = {{"Settings", SettingsTab::pageSize()},
                                                   {"Records", RecordsTab::pageSize()}};
    for (const auto& [item, pageSize] : items) {
        auto* displayArea = new DisplayArea(pageSize);
        displayArea->setObjectName(QStringLiteral("%1 area").arg(QLatin1String(item)));
        control_.addTab(displayArea, QString::fromLatin1(item));
    }
    growToHoldPages(control_);
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
