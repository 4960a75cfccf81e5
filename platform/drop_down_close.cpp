#include "platform/drop_down_close.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>

namespace tessalo {

namespace {

class DropDownCloseWatcher final : public QObject {
  public:
    DropDownCloseWatcher(QComboBox& combo, std::function<void()> onClosed)
        : QObject(&combo), combo_(combo), onClosed_(std::move(onClosed)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        // The list hides before the combo box takes the picked item, so the call waits for it.
        if (event->type() == QEvent::Hide)
            QMetaObject::invokeMethod(&combo_, onClosed_, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

  private:
    QComboBox& combo_;
    std::function<void()> onClosed_;
};

} // namespace

void whenDropDownCloses(QComboBox& combo, std::function<void()> onClosed) {
    // The view's window is the popup that holds the list.
    QWidget* popup = combo.view()->window();
    popup->installEventFilter(new DropDownCloseWatcher(combo, std::move(onClosed)));
}

} // namespace tessalo
