#include "app/layout_import.h"

#include "app/layout_library.h"
#include "game/layout_validation.h"
#include "platform/code_page_1251.h"
#include "platform/pe_module.h"

#include <system_error>
#include <variant>

namespace tessalo {

namespace {

constexpr std::size_t kLayoutResourceSize = 3 * LayoutRecord::kPositions;
constexpr std::size_t kNameBufferSize = LayoutRecord::kNameSize;

// Only a file that was read as a layout module is deleted: one whose layout was added or whose
// name was already listed. Anything else the player picked (the library, the program, a picture
// set, a damaged layout) stays where it is.
enum class Outcome { Added, Duplicate, Refused, NotStored };

bool isLibraryFile(const std::filesystem::path& modulePath,
                   const std::filesystem::path& libraryPath) {
    std::error_code unknown;
    return std::filesystem::equivalent(modulePath, libraryPath, unknown);
}

// The module's layout as a record, or none when the module has no usable layout.
std::optional<LayoutRecord> layoutOfModule(const std::filesystem::path& modulePath) {
    auto opened = PeModule::open(modulePath);
    const auto* module = std::get_if<PeModule>(&opened);
    if (!module)
        return std::nullopt;
    const auto triples = module->findResource(ResourceId("LAYOUT"), ResourceId(1));
    // A short resource is treated like a missing one rather than read past its end.
    if (!triples || triples->size() < kLayoutResourceSize)
        return std::nullopt;
    LayoutRecord record;
    record.setName(module->loadString(1, kNameBufferSize).value_or(""));
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
        record.x[i] = (*triples)[3 * i];
        record.y[i] = (*triples)[3 * i + 1];
        record.z[i] = (*triples)[3 * i + 2];
    }
    return record;
}

Outcome addLayout(const std::filesystem::path& modulePath, std::vector<LayoutRecord>& layouts,
                  const std::filesystem::path& libraryPath, MessageSink& messages) {
    // The library is rewritten by an import and must never be taken for the module to delete,
    // by whatever path it was chosen.
    const std::optional<LayoutRecord> record =
        isLibraryFile(modulePath, libraryPath) ? std::nullopt : layoutOfModule(modulePath);
    if (!record) {
        messages.showMessage(kNoLayoutInModuleMessage);
        return Outcome::Refused;
    }
    for (const LayoutRecord& existing : layouts) {
        if (existing.nameText() == record->nameText()) {
            messages.showMessage("Раскладка \"" + cp1251ToUtf8(record->nameText()) +
                                 "\" уже есть.");
            return Outcome::Duplicate;
        }
    }
    // A layout that would break the board never enters the library.
    const std::string defect = layoutDefect(*record);
    if (!defect.empty()) {
        // The defect is told in English, for the tools; the player's box has its own sentence.
        messages.showMessage("Вариант раскладки в выбранном модуле повреждён.");
        return Outcome::Refused;
    }
    layouts.push_back(*record);
    const std::string failure = saveLayoutLibrary(libraryPath, layouts);
    if (!failure.empty()) {
        layouts.pop_back();
        // The system's reason is English; the player learns what it means for the layout.
        messages.showMessage("Не удалось записать файл " + libraryPath.filename().string() +
                             ". Раскладка не добавлена.");
        return Outcome::NotStored;
    }
    return Outcome::Added;
}

} // namespace

std::optional<std::string> importLayoutModule(const std::filesystem::path& modulePath,
                                              std::vector<LayoutRecord>& layouts,
                                              const std::filesystem::path& libraryPath,
                                              MessageSink& messages) {
    const Outcome outcome = addLayout(modulePath, layouts, libraryPath, messages);
    if (outcome == Outcome::Added || outcome == Outcome::Duplicate) {
        std::error_code ignored;
        std::filesystem::remove(modulePath, ignored);
    }
    if (outcome != Outcome::Added)
        return std::nullopt;
    return layouts.back().nameText();
}

} // namespace tessalo
