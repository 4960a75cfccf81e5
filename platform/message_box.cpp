#include "platform/message_box.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace tessalo {

QString programCaption() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void showWarning(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, programCaption(), text, QMessageBox::Ok, owner);
    box.exec();
}

bool askRetry(QWidget* owner, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Retry | QMessageBox::Cancel,
                    owner);
    return box.exec() == QMessageBox::Retry;
}

} // namespace tessalo
