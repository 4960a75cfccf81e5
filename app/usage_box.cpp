#include "app/usage_box.h"

#include "platform/message_box.h"

namespace tessalo {

QString usageText() {
    // "Comand" is how the program has always spelled it; people search for the text as it is.
    return QStringLiteral("Tessalo2 version 2.22 build 15\n"
                          "Comand line parameters:\n"
                          "/? - this message\n"
                          "/compress - compress Table of records;");
}

void showUsage(QWidget* owner) {
    showWarning(owner, usageText());
}

} // namespace tessalo
