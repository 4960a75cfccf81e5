#include "platform/dialog_caption_fit.h"

#include "platform/dialog_builder.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <climits>
#include <optional>

namespace tessalo {

namespace {

std::optional<CaptionOverflow> overflowOf(const QString& name, const QString& caption,
                                          int captionWidth, int room) {
    if (captionWidth <= room)
        return std::nullopt;
    return CaptionOverflow{name, caption, captionWidth, room};
}

// The style's own rectangle for a button's label: inside the frame and the default ring.
std::optional<CaptionOverflow> buttonOverflow(const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    if (button.isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    const QRect room =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    return overflowOf(button.objectName(), button.text(),
                      button.fontMetrics().horizontalAdvance(button.text()), room.width());
}

// What is left beside the check mark.
std::optional<CaptionOverflow> checkBoxOverflow(const QCheckBox& box) {
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    const QRect room = box.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &box);
    return overflowOf(box.objectName(), box.text(), box.fontMetrics().horizontalAdvance(box.text()),
                      room.width());
}

// The title starts after the style's indent and must keep the same distance from the right edge.
std::optional<CaptionOverflow> groupBoxOverflow(const QGroupBox& box) {
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.textAlignment = box.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    const int room = box.width() - 2 * std::max(0, label.left());
    return overflowOf(box.objectName(), box.title(),
                      box.fontMetrics().horizontalAdvance(box.title()), room);
}

// One line unless the label is high enough for two; then the words may wrap, within its height.
std::optional<CaptionOverflow> staticOverflow(const QLabel& label) {
    const QString text = label.text();
    const QRect area = label.contentsRect();
    const QFontMetrics metrics = label.fontMetrics();
    if (area.height() < 2 * metrics.lineSpacing() || !label.wordWrap())
        return overflowOf(label.objectName(), text, metrics.horizontalAdvance(text), area.width());
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, area.width(), INT_MAX), Qt::TextWordWrap, text);
    if (wrapped.height() > area.height())
        return CaptionOverflow{label.objectName(), text, wrapped.width(), area.width()};
    return overflowOf(label.objectName(), text, wrapped.width(), area.width());
}

std::optional<CaptionOverflow> overflowOf(const QWidget& control) {
    if (const auto* button = qobject_cast<const QPushButton*>(&control))
        return button->text().isEmpty() ? std::nullopt : buttonOverflow(*button);
    if (const auto* box = qobject_cast<const QCheckBox*>(&control))
        return box->text().isEmpty() ? std::nullopt : checkBoxOverflow(*box);
    if (const auto* box = qobject_cast<const QGroupBox*>(&control))
        return box->title().isEmpty() ? std::nullopt : groupBoxOverflow(*box);
    if (const auto* label = qobject_cast<const QLabel*>(&control))
        return label->text().isEmpty() ? std::nullopt : staticOverflow(*label);
    return std::nullopt;
}

} // namespace

std::vector<CaptionOverflow> captionOverflows(const QWidget& page) {
    std::vector<CaptionOverflow> overflows;
    for (const QWidget* control : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->property(kDialogControlIdProperty).isValid())
            continue;
        if (auto overflow = overflowOf(*control))
            overflows.push_back(std::move(*overflow));
    }
    return overflows;
}

} // namespace tessalo
