#include "platform/dialog_builder.h"

#include "platform/dialog_caption_fit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>

#include <cmath>

namespace tessalo {

namespace {

// Families drawn to the widths of the font the layouts were made for come first; any desktop
// font will do when none is installed, the size then shrinks until the captions fit.
const char* const kPreferredFamilies[] = {"Liberation Sans", "Arimo", "Arial", "Nimbus Sans",
                                          "Helvetica"};
constexpr int kSmallestFontPixels = 8;

QString dialogFontFamily() {
    for (const char* family : kPreferredFamilies) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(family)))
            return QString::fromLatin1(family);
    }
    return QApplication::font().family();
}

QFont dialogFontOfSize(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

// The system derives a font's base unit from the average width of the 52 letters.
int averageLetterWidth(const QFont& font) {
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const double width = QFontMetricsF(font).horizontalAdvance(letters) / letters.size();
    return static_cast<int>(std::lround(width));
}

QRect toQRect(const DialogRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

QLabel* makeStatic(QWidget& page, const QString& text, Qt::Alignment horizontal) {
    auto* label = new QLabel(text, &page);
    label->setTextFormat(Qt::PlainText); // a player's name is never markup
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QWidget* makeControl(QWidget& page, const DialogControl& control) {
    const QString text = QString::fromUtf8(control.text);
    switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
        auto* button = new QPushButton(text, &page);
        button->setDefault(control.kind == ControlKind::DefaultPushButton);
        return button;
    }
    case ControlKind::StaticLeft:
        return makeStatic(page, text, Qt::AlignLeft);
    case ControlKind::StaticCentre:
        return makeStatic(page, text, Qt::AlignHCenter);
    case ControlKind::StaticRight:
        return makeStatic(page, text, Qt::AlignRight);
    case ControlKind::StaticIcon: {
        auto* label = new QLabel(&page);
        const int side = page.style()->pixelMetric(QStyle::PM_LargeIconSize);
        label->setPixmap(dialogIcon(text).pixmap(side, side));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, &page);
        edit->setFrame((control.style & kBorder) != 0);
        return edit;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(&page);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        return bar;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, &page);
    case ControlKind::DropDownList:
        return new QComboBox(&page);
    case ControlKind::ListView: {
        auto* list = new QTreeWidget(&page);
        list->setRootIsDecorated(false);
        list->setItemsExpandable(false);
        list->setUniformRowHeights(true);
        list->setAllColumnsShowFocus(true);
        list->header()->setSectionsClickable((control.style & kNoSortHeader) == 0);
        list->header()->setStretchLastSection(false);
        list->setFrameShape((control.style & kBorder) != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
        return list;
    }
    case ControlKind::TabControl:
        return new QTabWidget(&page);
    case ControlKind::GroupBox: {
        // Only a frame around its neighbours: it must never take their clicks.
        auto* box = new QGroupBox(text, &page);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        return box;
    }
    }
    return new QWidget(&page);
}

bool takesFocus(ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
    case ControlKind::Edit:
    case ControlKind::CheckBox:
    case ControlKind::DropDownList:
    case ControlKind::ListView:
    case ControlKind::TabControl:
        return true;
    default:
        return false;
    }
}

void connectCommand(QWidget* widget, int id, const std::function<void(int)>& onCommand) {
    if (!onCommand)
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [onCommand, id] { onCommand(id); });
}

// Starts from the size of the font the layouts were made for, and shrinks it until its letters
// are no wider than the base unit allows and every caption fits.
void fitDialogFont(QWidget& page, DialogBaseUnits base) {
    const QString family = dialogFontFamily();
    int pixels = mulDivRounded(base.y, 11, 13);
    for (; pixels > kSmallestFontPixels; --pixels) {
        const QFont font = dialogFontOfSize(family, pixels);
        if (averageLetterWidth(font) > base.x)
            continue;
        page.setFont(font);
        if (captionOverflows(page).empty())
            return;
    }
    page.setFont(dialogFontOfSize(family, kSmallestFontPixels));
}

} // namespace

QString dialogControlName(int id, int unnamedIndex) {
    if (id != kNoControlId)
        return QString::number(id);
    return QString::number(kNoControlId) + '#' + QString::number(unnamedIndex);
}

QWidget* dialogControl(const QWidget& page, int id) {
    return page.findChild<QWidget*>(dialogControlName(id, 0), Qt::FindDirectChildrenOnly);
}

QIcon dialogIcon(const QString& resource) {
    if (!resource.isEmpty() && QFile::exists(resource))
        return QIcon(resource);
    if (!QApplication::windowIcon().isNull())
        return QApplication::windowIcon();
    return QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
}

QSize dialogPixelSize(const DialogTemplate& dialogTemplate) {
    const DialogBaseUnits base = dialogTemplate.baseUnits;
    return {dialogUnitsToPixelsX(dialogTemplate.width, base),
            dialogUnitsToPixelsY(dialogTemplate.height, base)};
}

void buildDialog(QWidget& page, const DialogTemplate& dialogTemplate,
                 const std::function<void(int id)>& onCommand) {
    const DialogBaseUnits base = dialogTemplate.baseUnits;
    page.setFixedSize(dialogPixelSize(dialogTemplate));
    if (page.isWindow())
        page.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));

    int unnamed = 0;
    std::vector<QWidget*> groupBoxes;
    std::vector<QComboBox*> dropDowns;
    for (const DialogControl& control : dialogTemplate.controls) {
        QWidget* widget = makeControl(page, control);
        widget->setObjectName(
            dialogControlName(control.id, control.id == kNoControlId ? ++unnamed : 0));
        widget->setProperty(kDialogControlIdProperty, control.id);
        widget->setGeometry(toQRect(dialogRectToPixels(control.rect, base)));
        // Only tab stops are reached by Tab, in table order, and the first has the focus when the
        // window opens; the others still take the focus when clicked.
        if (!takesFocus(control.kind))
            widget->setFocusPolicy(Qt::NoFocus);
        else if ((control.style & kTabStop) != 0)
            widget->setFocusPolicy(Qt::StrongFocus);
        else
            widget->setFocusPolicy(Qt::ClickFocus);
        widget->setEnabled((control.style & kDisabled) == 0);
        connectCommand(widget, control.id, onCommand);
        if (control.kind == ControlKind::GroupBox)
            groupBoxes.push_back(static_cast<QGroupBox*>(widget));
        if (control.kind == ControlKind::DropDownList)
            dropDowns.push_back(static_cast<QComboBox*>(widget));
    }
    for (QWidget* box : groupBoxes)
        box->lower();

    fitDialogFont(page, base);

    // A drop-down list's rectangle includes its open list; closed it is one line high.
    for (QComboBox* combo : dropDowns)
        combo->resize(combo->width(), std::min(combo->height(), combo->sizeHint().height()));
}

} // namespace tessalo
