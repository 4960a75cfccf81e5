#include "tools/art/picture_set.h"

#include "tools/art/bmp_file.h"
#include "tools/art/skin_images.h"
#include "tools/art/tile_faces.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cctype>
#include <sstream>

namespace tessalo::art {
namespace {

bool writeBytes(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

std::string writePictureSet(const SetParams& params, const QString& folder) {
    if (!QDir().mkpath(folder))
        return "cannot create " + folder.toStdString();
    std::string failed;
    auto save = [&](const std::string& file, const std::vector<std::uint8_t>& bytes) {
        if (failed.empty() && !writeBytes(folder + "/" + QString::fromStdString(file), bytes))
            failed = "cannot write " + folder.toStdString() + "/" + file;
        return file;
    };

    std::ostringstream manifest;
    manifest << "tessalo-pictures 1\n"
             << "# Drawn by tessalo-art from its parameter file; do not edit.\n"
             << "name: " << params.displayName << "\n";

    const QImage background = drawBackground(params);
    manifest << "background: " << save("background.bmp", bmp24(background)) << "\n";
    if (params.hasBase)
        manifest << "base: " << save("base.bmp", bmp24(drawBase(params))) << "\n";
    manifest << "sound: " << save("pair.wav", pairSound(params)) << "\n";
    manifest << "clock: " << save("clock.bmp", bmp24(drawClockFace(params))) << "\n";
    manifest << "indicator: " << save("indicator.bmp", bmp24(drawIndicatorFace(params))) << "\n";
    manifest << "digits:";
    for (int digit = 0; digit <= 9; ++digit)
        manifest << " "
                 << save("digit_" + std::to_string(digit) + ".bmp",
                         bmp24(drawDigit(params, digit)));
    manifest << "\n";

    static const char* buttons[] = {"start", "pause", "help", "exit"};
    for (int button = 0; button < 4; ++button) {
        const std::string stem = std::string("button_") + buttons[button];
        manifest << "button " << buttons[button] << ": "
                 << save(stem + "_u.bmp", bmp24(drawButton(params, background, button, false)))
                 << " "
                 << save(stem + "_d.bmp", bmp24(drawButton(params, background, button, true)))
                 << "\n";
    }

    for (const TileKind& kind : tileKinds())
        manifest << "picture " << kind.name << ": "
                 << save("tile_" + lower(kind.name.substr(4)) + ".bmp",
                         bmp24(drawTileFace(params, kind)))
                 << "\n";
    // Tile i belongs to match group i / 4; the flower and season groups show four pictures.
    manifest << "map:";
    for (int picture : pictureOfTile())
        manifest << " " << picture;
    manifest << "\n";

    const QPoint clock = params.clockPosition;
    manifest << "place clock: " << clock.x() << " " << clock.y();
    for (int x : kClockCellX)
        manifest << " " << x;
    manifest << " 0\n";
    const QPoint indicator = params.indicatorPosition;
    manifest << "place indicator: " << indicator.x() << " " << indicator.y();
    for (int x : kIndicatorCellX)
        manifest << " " << x;
    manifest << " 0\n";
    manifest << "place buttons:";
    for (const QPoint& at : params.buttonPositions)
        manifest << " " << at.x() << " " << at.y();
    manifest << "\n";

    const std::string text = manifest.str();
    save("manifest.txt", std::vector<std::uint8_t>(text.begin(), text.end()));
    return failed;
}

} // namespace tessalo::art
