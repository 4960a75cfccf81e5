#include "app/config_file.h"

#include "platform/atomic_file.h"
#include "platform/byte_reader.h"
#include "platform/byte_writer.h"
#include "platform/length_prefixed_string.h"

#include <cerrno>
#include <fstream>
#include <iterator>

namespace tessalo {

ConfigContents parseConfig(std::span<const std::uint8_t> bytes) {
    ConfigContents contents;
    ByteReader reader(bytes);
    const std::int32_t count = reader.i32();
    if (!reader.ok()) {
        contents.damage = "the file is shorter than its count of picture sets";
        return contents;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        std::string name = readLengthPrefixedString(reader);
        std::string moduleFile = readLengthPrefixedString(reader);
        if (!reader.ok()) {
            contents.damage = "the file announces " + std::to_string(count) +
                              " picture sets but ends inside set " + std::to_string(i + 1);
            return contents;
        }
        contents.pictureSetNames.push_back(std::move(name));
        contents.pictureModuleFiles.push_back(std::move(moduleFile));
    }
    return contents;
}

std::vector<std::uint8_t> serializeConfig(std::span<const std::string> pictureSetNames,
                                          std::span<const std::string> pictureModuleFiles) {
    ByteWriter writer;
    writer.i32(static_cast<std::int32_t>(pictureSetNames.size()));
    for (std::size_t i = 0; i < pictureSetNames.size(); ++i) {
        writeLengthPrefixedString(writer, pictureSetNames[i]);
        writeLengthPrefixedString(writer, i < pictureModuleFiles.size() ? pictureModuleFiles[i]
                                                                        : std::string());
    }
    return writer.take();
}

ConfigRead readConfig(const std::filesystem::path& path, std::vector<std::string>& pictureSetNames,
                      std::vector<std::string>& pictureModuleFiles) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return {false, "cannot open " + path.string() + ": " + systemReason(errno)};
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)),
                                          std::istreambuf_iterator<char>());
    if (stream.bad())
        return {false, "cannot read " + path.string()};
    ConfigContents contents = parseConfig(bytes);
    for (auto& name : contents.pictureSetNames)
        pictureSetNames.push_back(std::move(name));
    for (auto& moduleFile : contents.pictureModuleFiles)
        pictureModuleFiles.push_back(std::move(moduleFile));
    if (!contents.damage.empty())
        return {false, path.string() + " is damaged: " + contents.damage};
    return {true, {}};
}

std::string writeConfig(const std::filesystem::path& path,
                        std::span<const std::string> pictureSetNames,
                        std::span<const std::string> pictureModuleFiles) {
    return writeFileAtomically(path, serializeConfig(pictureSetNames, pictureModuleFiles));
}

} // namespace tessalo
