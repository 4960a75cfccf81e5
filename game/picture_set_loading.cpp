#include "game/picture_set_loading.h"

#include "game/game_refusals.h"
#include "platform/pe_module.h"
#include "skin/pictures_module.h"
#include "skin/scaled_picture_loading.h"

namespace tessalo {

namespace {

QPixmap pixmapOf(const std::optional<QImage>& image) {
    return image ? QPixmap::fromImage(*image) : QPixmap();
}

} // namespace

std::optional<QString> loadPictureSet(const std::filesystem::path& modulePath, bool soundOn,
                                      LoadedPictures& pictures, const LoadProgress& progress,
                                      PictureScale scale) {
    pictures.releaseBitmaps();
    pictures.okSound.reset();
    auto opened = PeModule::open(modulePath);
    if (std::holds_alternative<std::string>(opened))
        return picturesModuleUnreadableMessage(modulePath);
    const PeModule& module = std::get<PeModule>(opened);
    const auto read = readPicturesCatalogue(module);
    if (std::holds_alternative<std::string>(read))
        return picturesModuleDamagedMessage(modulePath);
    const auto& catalogue = std::get<PicturesCatalogue>(read);

    const int count = int(catalogue.pictureNames.size());
    if (progress.setRange)
        progress.setRange(count);
    if (soundOn && catalogue.hasSound) {
        const auto sound = module.findResource(kWaveType, kSoundName);
        pictures.okSound.emplace(sound->begin(), sound->end());
    }
    pictures.background = pixmapOf(loadScaledAscBitmap(module, kBackgroundName, scale));
    pictures.faces.resize(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        pictures.faces[std::size_t(i)] =
            pixmapOf(loadScaledAscBitmap(module, catalogue.pictureNames[std::size_t(i)], scale));
        if (progress.setPosition)
            progress.setPosition(i);
    }
    if (auto base = loadScaledAscBitmap(module, kBaseName, scale))
        pictures.base = QPixmap::fromImage(*base);
    return std::nullopt;
}

} // namespace tessalo
