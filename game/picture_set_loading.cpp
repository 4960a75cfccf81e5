#include "game/picture_set_loading.h"

#include "game/game_refusals.h"
#include "platform/pe_module.h"
#include "skin/asc_bitmap_loader.h"
#include "skin/picture_resampling.h"
#include "skin/pictures_module.h"

namespace tessalo {

namespace {

QPixmap pixmapOf(const std::optional<QImage>& image, PictureScale scale) {
    return image ? QPixmap::fromImage(resampled(*image, scale)) : QPixmap();
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
    pictures.background = pixmapOf(loadAscBitmap(module, kBackgroundName), scale);
    pictures.faces.resize(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        pictures.faces[std::size_t(i)] =
            pixmapOf(loadAscBitmap(module, catalogue.pictureNames[std::size_t(i)]), scale);
        if (progress.setPosition)
            progress.setPosition(i);
    }
    if (auto base = loadAscBitmap(module, kBaseName))
        pictures.base = QPixmap::fromImage(resampled(*base, scale));
    return std::nullopt;
}

} // namespace tessalo
