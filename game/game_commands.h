#pragma once

namespace tessalo {

// Commands of the game window, as its buttons and the end of a game send them.
namespace GameCommand {
inline constexpr int start = 40000;
inline constexpr int pause = 40001;
inline constexpr int help = 40002;
inline constexpr int exit = 40003;
} // namespace GameCommand

} // namespace tessalo
