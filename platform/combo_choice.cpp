#include "platform/combo_choice.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>

namespace tessalo {

namespace {

class ChoiceWatcher final : public QObject {
  public:
    ChoiceWatcher(QComboBox& combo, std::function<void()> onChosen)
        : QObject(&combo), onChosen_(std::move(onChosen)) {
        connect(&combo, &QComboBox::currentIndexChanged, this, [this] {
            changedSinceOpened_ = true;
            onChosen_();
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            changedSinceOpened_ = false;
        } else if (event->type() == QEvent::Hide) {
            // The list hides before the combo box takes the picked item, so the call waits for
            // it; a pick that changed the item has been reported already.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (!changedSinceOpened_)
                        onChosen_();
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> onChosen_;
    bool changedSinceOpened_ = false;
};

} // namespace

void whenChoiceMade(QComboBox& combo, std::function<void()> onChosen) {
    // The view's window is the popup that holds the list.
    QWidget* popup = combo.view()->window();
    popup->installEventFilter(new ChoiceWatcher(combo, std::move(onChosen)));
}

} // namespace tessalo
