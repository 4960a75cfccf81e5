#pragma once

#include "platform/dialog_template.h"

#include <QSize>
#include <QString>

#include <functional>

class QIcon;
class QWidget;

namespace tessalo {

// Makes `page` what `dialogTemplate` describes: its client size, its caption when it is a window,
// a dialog font whose captions fit their controls, and one child per control at its rectangle.
// Each control is named after its id ("1034"); controls without an id are named "-1#1", "-1#2",
// ... in table order. Clicks on push buttons and check boxes reach `onCommand` with their id.
void buildDialog(QWidget& page, const DialogTemplate& dialogTemplate,
                 const std::function<void(int id)>& onCommand = {});

// The client size `buildDialog` gives a page of `dialogTemplate`.
QSize dialogPixelSize(const DialogTemplate& dialogTemplate);

// Every control made by `buildDialog` carries its id in this property.
inline constexpr const char* kDialogControlIdProperty = "dialogControlId";

// The object name a control of the template gets; `unnamedIndex` counts the controls without an
// id from 1.
QString dialogControlName(int id, int unnamedIndex);

// The control made for `id` (not for the controls without an id), or null.
QWidget* dialogControl(const QWidget& page, int id);
template <typename Control> Control* dialogControl(const QWidget& page, int id) {
    return qobject_cast<Control*>(dialogControl(page, id));
}

// The icon an icon control shows: the program's resource when it is compiled in, else the style's.
QIcon dialogIcon(const QString& resource);

} // namespace tessalo
