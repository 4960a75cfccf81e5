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

// Every image of the set at `factor` times its size, each through `save` (which answers with the
// file name), and the manifest's lines for them.
template <typename Save>
void drawImages(const SetParams& params, int factor, Save&& save, std::ostream& manifest) {
    const QImage background = drawBackground(params, factor);
    manifest << "background: " << save("background.bmp", bmp24(background)) << "\n";
    if (params.hasBase)
        manifest << "base: " << save("base.bmp", bmp24(drawBase(params, factor))) << "\n";
    manifest << "clock: " << save("clock.bmp", bmp24(drawClockFace(params, factor))) << "\n";
    manifest << "indicator: " << save("indicator.bmp", bmp24(drawIndicatorFace(params, factor)))
             << "\n";
    manifest << "digits:";
    for (int digit = 0; digit <= 9; ++digit)
        manifest << " "
                 << save("digit_" + std::to_string(digit) + ".bmp",
                         bmp24(drawDigit(params, digit, factor)));
    manifest << "\n";

    static const char* buttons[] = {"start", "pause", "help", "exit"};
    for (int button = 0; button < 4; ++button) {
        const std::string stem = std::string("button_") + buttons[button];
        manifest << "button " << buttons[button] << ": "
                 << save(stem + "_u.bmp",
                         bmp24(drawButton(params, background, button, false, factor)))
                 << " "
                 << save(stem + "_d.bmp",
                         bmp24(drawButton(params, background, button, true, factor)))
                 << "\n";
    }

    for (const TileKind& kind : tileKinds())
        manifest << "picture " << kind.name << ": "
                 << save("tile_" + lower(kind.name.substr(4)) + ".bmp",
                         bmp24(drawTileFace(params, kind, factor)))
                 << "\n";
}

} // namespace

std::string writePictureSet(const SetParams& params, const QString& folder) {
    std::string failed;
    auto saveInto = [&](const QString& into) {
        return [&failed, into](const std::string& file, const std::vector<std::uint8_t>& bytes) {
            if (failed.empty() && !writeBytes(into + "/" + QString::fromStdString(file), bytes))
                failed = "cannot write " + into.toStdString() + "/" + file;
            return file;
        };
    };
    auto save = saveInto(folder);
    for (const QString& into : {folder, folder + "/x2", folder + "/x3"}) {
        if (!QDir().mkpath(into))
            return "cannot create " + into.toStdString();
    }

    std::ostringstream manifest;
    manifest << "tessalo-pictures 1\n"
             << "# Drawn by tessalo-art from its parameter file; do not edit.\n"
             << "name: " << params.displayName << "\n";
    manifest << "sound: " << save("pair.wav", pairSound(params)) << "\n";
    drawImages(params, 1, save, manifest);
    // The same drawings made at two and three times the size, for big screens.
    for (int factor : {2, 3}) {
        std::ostringstream unused;
        drawImages(params, factor, saveInto(folder + "/x" + QString::number(factor)), unused);
        manifest << "variants " << factor << ": x" << factor << "\n";
    }
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
