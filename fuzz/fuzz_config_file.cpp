#include "app/config_file.h"
#include "platform/registry_store.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto contents = tessalo::parseConfig({data, size});
    if (contents.pictureSetNames.size() != contents.pictureModuleFiles.size())
        std::abort();
    const auto again = tessalo::parseConfig(
        tessalo::serializeConfig(contents.pictureSetNames, contents.pictureModuleFiles));
    if (!again.damage.empty() || again.pictureSetNames != contents.pictureSetNames ||
        again.pictureModuleFiles != contents.pictureModuleFiles)
        std::abort();

    // The registry store's own file is read from the same bytes.
    std::string problem;
    const auto values = tessalo::RegistryStore::parse({data, size}, problem);
    if (problem.empty()) {
        std::string secondProblem;
        if (tessalo::RegistryStore::parse(tessalo::RegistryStore::serialize(values), secondProblem)
                    .size() != values.size() ||
            !secondProblem.empty())
            std::abort();
    }
    return 0;
}
