#include "platform/program_resources.h"

#include <QFile>
#include <QPixmap>

#include <cstdint>

static void initProgramResources() {
    // The compiled-in files live in a static library: without this reference the linker drops them.
    static const bool done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)done;
}

namespace tessalo {

QIcon loadSourceIcon(const ResourceSource& source, int id) {
    if (!source.isProgramOwn())
        return {};
    initProgramResources();
    QIcon icon(QStringLiteral(":/icon_%1.ico").arg(id));
    // Desktops and HiDPI screens ask for other sizes than the icon file's 32, which stays as it is.
    if (id == kApplicationIconId)
        for (int size : {16, 24, 48, 64, 128, 256})
            icon.addFile(QStringLiteral(":/tessalo2_%1.png").arg(size), QSize(size, size));
    return icon;
}

QCursor loadSourceCursor(const ResourceSource& source, int id) {
    if (!source.isProgramOwn())
        return {};
    initProgramResources();
    // The hot spot is kept in the cursor file's directory entry; the picture comes as PNG.
    QFile cursorFile(QStringLiteral(":/cursor_%1.cur").arg(id));
    QPixmap picture(QStringLiteral(":/cursor_%1.png").arg(id));
    if (!cursorFile.open(QIODevice::ReadOnly) || picture.isNull())
        return {};
    const QByteArray head = cursorFile.read(14);
    if (head.size() < 14)
        return QCursor(picture);
    const auto u16 = [&](int at) {
        return int(std::uint8_t(head[at]) | std::uint8_t(head[at + 1]) << 8);
    };
    return QCursor(picture, u16(10), u16(12));
}

std::optional<QByteArray> programResourceBytes(const QString& fileName) {
    initProgramResources();
    QFile file(QStringLiteral(":/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace tessalo
