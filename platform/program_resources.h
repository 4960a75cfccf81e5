#pragma once

#include "platform/resource_source.h"

#include <QCursor>
#include <QIcon>

#include <optional>

namespace tessalo {

// Identifiers of the program's own resources.
inline constexpr int kApplicationIconId = 128;
inline constexpr int kTrayIconId = 164;
inline constexpr int kPointingHandCursorId = 138;

// Icons and cursors by id from the resource source. They exist only among the program's own
// resources, compiled into the executable; a pictures module as the source has none.
QIcon loadSourceIcon(const ResourceSource& source, int id);
QCursor loadSourceCursor(const ResourceSource& source, int id);

// The bytes of one of the program's own files (the compressed about frames, for example).
std::optional<QByteArray> programResourceBytes(const QString& fileName);

} // namespace tessalo
