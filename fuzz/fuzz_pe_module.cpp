#include "platform/pe_module.h"
#include "skin/pictures_module.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto parsed = tessalo::PeModule::parse(std::vector<std::uint8_t>(data, data + size));
    const auto* module = std::get_if<tessalo::PeModule>(&parsed);
    if (module == nullptr)
        return 0;
    volatile std::size_t sink = 0;
    for (const auto& entry : module->catalogue()) {
        if (const auto bytes = module->findResource(entry.type, entry.name);
            bytes && !bytes->empty())
            sink = sink + bytes->front() + bytes->back();
        if (entry.type == tessalo::ResourceId(tessalo::kRtString) && entry.name.isId() &&
            entry.name.id() > 0) {
            const unsigned first = (entry.name.id() - 1u) * 16u;
            for (unsigned id = first; id < first + 16; ++id) {
                for (std::size_t buffer : {0, 1, 20, 4096})
                    sink = sink + module->loadString(id, buffer).value_or("").size();
            }
        }
    }
    auto catalogue = tessalo::readPicturesCatalogue(*module);
    if (const auto* pictures = std::get_if<tessalo::PicturesCatalogue>(&catalogue))
        sink = sink + pictures->pictureNames.size();
    return 0;
}
