#include "app/module_file_dialog.h"

#include <QFile>
#include <QFileDialog>

namespace tessalo {

std::optional<std::filesystem::path> chooseModuleFile(QWidget* owner, const QString& title,
                                                      const QString& pattern) {
    QFileDialog dialog(owner, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter('(' + pattern + ')');
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(
        QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString());
}

} // namespace tessalo
