#pragma once

#include <QEvent>

namespace tessalo {

// Work posted to the game window, so it runs after the handler that asked for it has returned.
inline constexpr QEvent::Type kTileClickedEvent = QEvent::Type(QEvent::User + 0x040A);
inline constexpr QEvent::Type kPostedCommandEvent = QEvent::Type(QEvent::User + 0x0111);

class TileClickedEvent final : public QEvent {
  public:
    explicit TileClickedEvent(int tile) : QEvent(kTileClickedEvent), tile_(tile) {}
    int tile() const { return tile_; }

  private:
    int tile_;
};

class PostedCommandEvent final : public QEvent {
  public:
    explicit PostedCommandEvent(int command) : QEvent(kPostedCommandEvent), command_(command) {}
    int command() const { return command_; }

  private:
    int command_;
};

} // namespace tessalo
