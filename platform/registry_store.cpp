#include "platform/registry_store.h"

#include "platform/atomic_file.h"
#include "platform/byte_reader.h"
#include "platform/byte_writer.h"
#include "platform/length_prefixed_string.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tessalo {

namespace {

// Magic and version first, then the value count, then (type, name, data) for each value; the
// whole file is replaced at once so a reader never sees half of it.
constexpr std::array<std::uint8_t, 8> kMagic = {'T', 'S', 'R', 'E', 'G', 0, 0, 1};
constexpr const char* kStoreFolder = "tessalo2-registry";

bool knownType(std::uint8_t type) {
    return type == static_cast<std::uint8_t>(RegistryStore::Type::Dword) ||
           type == static_cast<std::uint8_t>(RegistryStore::Type::String);
}

} // namespace

std::filesystem::path RegistryStore::userConfigFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return config;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".config";
    return {};
}

std::filesystem::path RegistryStore::storePath(const std::filesystem::path& configFolder,
                                               std::string_view keyPath) {
    if (configFolder.empty())
        return {};
    std::filesystem::path path = configFolder / kStoreFolder;
    std::size_t start = 0;
    bool any = false;
    while (start <= keyPath.size()) {
        std::size_t end = keyPath.find('\\', start);
        if (end == std::string_view::npos)
            end = keyPath.size();
        const std::string_view part = keyPath.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.find('/') != part.npos ||
            part.find('\0') != part.npos)
            return {};
        const bool last = end == keyPath.size();
        path /= last ? std::string(part) + ".reg" : std::string(part);
        any = true;
        start = end + 1;
    }
    return any ? path : std::filesystem::path();
}

RegistryStore::RegistryStore(std::filesystem::path file) : file_(std::move(file)) {
    if (file_.empty()) {
        problem_ = "no configuration folder: set XDG_CONFIG_HOME or HOME";
        return;
    }
    std::ifstream stream(file_, std::ios::binary);
    if (!stream)
        return; // a key never written holds no values
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(stream)),
                                          std::istreambuf_iterator<char>());
    if (stream.bad()) {
        problem_ = "cannot read " + file_.string();
        return;
    }
    std::string damage;
    values_ = parse(bytes, damage);
    if (!damage.empty())
        problem_ = file_.string() + ": " + damage + "; the settings start from their defaults";
}

RegistryStore RegistryStore::openKey(std::string_view keyPath,
                                     const std::filesystem::path& configFolder) {
    return RegistryStore(storePath(configFolder, keyPath));
}

std::optional<std::vector<std::uint8_t>> RegistryStore::query(std::string_view name,
                                                              Type type) const {
    const auto found = values_.find(std::string(name));
    if (found == values_.end() || found->second.type != type)
        return std::nullopt;
    return found->second.data;
}

std::optional<std::int32_t> RegistryStore::queryDword(std::string_view name) const {
    const auto data = query(name, Type::Dword);
    if (!data || data->size() != 4)
        return std::nullopt;
    ByteReader reader(*data);
    return reader.i32();
}

std::optional<std::string> RegistryStore::queryString(std::string_view name,
                                                      std::size_t roomWithTerminator) const {
    const auto data = query(name, Type::String);
    if (!data || data->size() + 1 > roomWithTerminator)
        return std::nullopt;
    // A string value ends at its first terminator, whatever was stored after it.
    std::string text(data->begin(), data->end());
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

void RegistryStore::setDword(std::string_view name, std::int32_t value) {
    ByteWriter writer;
    writer.i32(value);
    values_[std::string(name)] = Value{Type::Dword, writer.take()};
}

void RegistryStore::setString(std::string_view name, std::string_view text) {
    values_[std::string(name)] = Value{Type::String, {text.begin(), text.end()}};
}

std::string RegistryStore::flush() const {
    if (file_.empty())
        return problem_;
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    if (error)
        return "cannot create " + file_.parent_path().string() + ": " + error.message();
    return writeFileAtomically(file_, serialize(values_));
}

std::string RegistryStore::deleteKey(std::string_view keyPath,
                                     const std::filesystem::path& configFolder) {
    const auto path = storePath(configFolder, keyPath);
    if (path.empty())
        return {};
    std::error_code error;
    std::filesystem::remove(path, error);
    if (error)
        return "cannot remove " + path.string() + ": " + error.message();
    // Folders the key's path made and that now hold nothing go too; remove() keeps any other.
    const auto storeRoot = configFolder / kStoreFolder;
    for (auto folder = path.parent_path(); folder != storeRoot && folder.has_relative_path();
         folder = folder.parent_path()) {
        if (!std::filesystem::remove(folder, error) || error)
            break;
    }
    return {};
}

std::map<std::string, RegistryStore::Value>
RegistryStore::parse(std::span<const std::uint8_t> bytes, std::string& problem) {
    std::map<std::string, Value> values;
    ByteReader reader(bytes);
    const auto magic = reader.bytes(kMagic.size());
    if (!reader.ok() || !std::equal(magic.begin(), magic.end(), kMagic.begin())) {
        problem = "not a settings file of this program";
        return {};
    }
    const std::uint32_t count = reader.u32();
    for (std::uint32_t i = 0; i < count && reader.ok(); ++i) {
        const std::uint8_t type = reader.u8();
        std::string name = readLengthPrefixedString(reader);
        std::string data = readLengthPrefixedString(reader);
        if (!reader.ok())
            break;
        if (!knownType(type)) {
            problem = "value " + std::to_string(i + 1) + " has an unknown type";
            return {};
        }
        values[std::move(name)] = Value{static_cast<Type>(type), {data.begin(), data.end()}};
    }
    if (!reader.ok() || !reader.atEnd()) {
        problem = reader.ok() ? "unexpected bytes after the last value" : "the file ends early";
        return {};
    }
    return values;
}

std::vector<std::uint8_t> RegistryStore::serialize(const std::map<std::string, Value>& values) {
    ByteWriter writer;
    writer.bytes(kMagic);
    writer.u32(static_cast<std::uint32_t>(values.size()));
    for (const auto& [name, value] : values) {
        writer.u8(static_cast<std::uint8_t>(value.type));
        writeLengthPrefixedString(writer, name);
        writeLengthPrefixedString(
            writer, {reinterpret_cast<const char*>(value.data.data()), value.data.size()});
    }
    return writer.take();
}

} // namespace tessalo
