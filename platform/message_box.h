#pragma once

#include <QString>

class QWidget;

namespace tessalo {

// The caption of the program's message boxes: the program file's name without its extension.
QString programCaption();

// A warning box with one OK button, captioned with the program's name, modal to `owner`.
void showWarning(QWidget* owner, const QString& text);

// A warning box with Retry and Cancel; true when the user chose Retry.
bool askRetry(QWidget* owner, const QString& text, const QString& caption);

} // namespace tessalo
