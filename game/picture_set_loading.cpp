#include "game/picture_set_loading.h"

#include "game/game_refusals.h"
#include "platform/pe_module.h"
#include "skin/image_jobs.h"
#include "skin/pictures_module.h"
#include "skin/scaled_picture_loading.h"

namespace tessalo {

namespace {

// A null image for a picture that is missing or damaged.
ImageJob pictureJob(const PeModule& module, std::string name, PictureScale scale) {
    return [&module, name = std::move(name), scale] {
        return loadScaledAscBitmap(module, name, scale).value_or(QImage());
    };
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

    // The background first, then the faces, then the base: the order the bar reports them in.
    std::vector<ImageJob> jobs;
    jobs.reserve(std::size_t(count) + 2);
    jobs.push_back(pictureJob(module, kBackgroundName, scale));
    for (const std::string& name : catalogue.pictureNames)
        jobs.push_back(pictureJob(module, name, scale));
    jobs.push_back(pictureJob(module, kBaseName, scale));
    const std::size_t baseJob = jobs.size() - 1;

    pictures.faces.resize(std::size_t(count));
    runImageJobs(jobs, [&](std::size_t job, QImage image) {
        if (job == 0) {
            pictures.background = QPixmap::fromImage(std::move(image));
        } else if (job == baseJob) {
            if (!image.isNull())
                pictures.base = QPixmap::fromImage(std::move(image));
        } else {
            const int face = int(job - 1);
            pictures.faces[std::size_t(face)] = QPixmap::fromImage(std::move(image));
            if (progress.setPosition)
                progress.setPosition(face);
        }
    });
    return std::nullopt;
}

} // namespace tessalo
