#include "game/game_refusals.h"

#include "platform/code_page_1251.h"

namespace tessalo {

namespace {

QString fileNameOf(const std::filesystem::path& path) {
    return QString::fromStdString(path.filename().string());
}

} // namespace

QString picturesModuleUnreadableMessage(const std::filesystem::path& module) {
    return QStringLiteral("Не удалось прочитать файл картинок «%1». Игра не начата.")
        .arg(fileNameOf(module));
}

QString picturesModuleDamagedMessage(const std::filesystem::path& module) {
    return QStringLiteral("Файл картинок «%1» повреждён: в нём нет всего, что нужно для игры. "
                          "Игра не начата.")
        .arg(fileNameOf(module));
}

QString layoutDamagedMessage(const std::string& layoutName) {
    return QStringLiteral("Раскладка «%1» повреждена. Игра не начата.")
        .arg(QString::fromStdU16String(cp1251ToUtf16(layoutName)));
}

} // namespace tessalo
