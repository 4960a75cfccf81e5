#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace tessalo {

struct CaptionOverflow {
    QString control; // object name
    QString caption;
    int captionWidth = 0; // pixels the caption needs
    int room = 0;         // pixels the control leaves for it
};

// Every control of a page made by `buildDialog` whose caption, as it reads now, is wider than the
// room its control gives it (a static text at least two lines high may wrap, and then must not
// need more lines than it has).
std::vector<CaptionOverflow> captionOverflows(const QWidget& page);

} // namespace tessalo
