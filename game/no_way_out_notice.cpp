#include "game/no_way_out_notice.h"

namespace tessalo {

namespace {

constexpr int kTopMargin = 6;

} // namespace

NoWayOutNotice::NoWayOutNotice(const PlayArea& playArea, QWidget* gameWindow) : QLabel(gameWindow) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setText(QString::fromLatin1(kNoWayOutText) + QStringLiteral("\n") +
            QString::fromLatin1(kNoWayOutHint));
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("QLabel { color: white; background: rgba(0, 0, 0, 160);"
                                 " border-radius: 4px; padding: 4px 10px; }"));
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    adjustSize();
    const PixelPoint top = playArea.toWindow(kPlayAreaWidth / 2, kTopMargin);
    move(top.x - width() / 2, top.y);
    hide();
}

void NoWayOutNotice::showOver() {
    show();
    // Above the tiles, which are raised as they are dealt.
    raise();
}

} // namespace tessalo
