#pragma once

#include <QString>

#include <filesystem>
#include <string>

namespace tessalo {

// Why a game cannot start, in the player's words. Shown before any game window opens.
QString picturesModuleUnreadableMessage(const std::filesystem::path& module);
QString picturesModuleDamagedMessage(const std::filesystem::path& module);
// `layoutName` in code page 1251.
QString layoutDamagedMessage(const std::string& layoutName);

} // namespace tessalo
