#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>

#include <array>
#include <map>
#include <string>
#include <variant>

namespace tessalo::art {

// Everything about a picture set that is a choice rather than drawing code, read from its
// parameter file in data/pictures/.
struct SetParams {
    std::string displayName;
    // "classic": 45 × 70 faces over a shared base; "clear": whole 52 × 77 faces, bold symbols.
    std::string style;
    bool hasBase = true;
    std::map<std::string, QColor> colours;
    QSize buttonSize;
    // Start, Pause, Help, Exit.
    std::array<QPoint, 4> buttonPositions;
    QPoint clockPosition;
    QPoint indicatorPosition;
    int soundRate = 11025;
    int soundMilliseconds = 220;
    std::array<double, 2> soundTones{};

    // A colour the file names; a missing one is a mistake in the file, so it shows as magenta.
    QColor colour(const std::string& key) const;
};

// The parameters, or what is wrong with the file.
std::variant<SetParams, std::string> loadSetParams(const QString& path);

} // namespace tessalo::art
