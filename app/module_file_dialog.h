#pragma once

#include <QString>

#include <filesystem>
#include <optional>

class QWidget;

namespace tessalo {

// Asks for one existing file through the file-open dialog with `title` and the single filter
// `pattern` (shown as "(pattern)"). The current directory stays as it was. None when the user
// cancels.
std::optional<std::filesystem::path> chooseModuleFile(QWidget* owner, const QString& title,
                                                      const QString& pattern);

} // namespace tessalo
