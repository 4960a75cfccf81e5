#pragma once

#include <QString>

class QWidget;

namespace tessalo {

// The command-line help, shown for "/?", "-?" and F1 in the main dialog.
QString usageText();
void showUsage(QWidget* owner);

} // namespace tessalo
