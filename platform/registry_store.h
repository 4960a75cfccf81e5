#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessalo {

// The settings the game keeps under a registry key, stored in one file of the user's
// configuration folder whose path is derived from the key ("SOFTWARE\OVK\Tessalo2" becomes
// <folder>/tessalo2-registry/SOFTWARE/OVK/Tessalo2.reg). Values are typed: a 32-bit number and a
// string are kept apart, and a query says how many bytes a value holds, as the registry does.
class RegistryStore {
  public:
    enum class Type : std::uint8_t { Dword = 4, String = 1 };
    struct Value {
        Type type = Type::String;
        std::vector<std::uint8_t> data; // a string without its terminator
    };

    // `$XDG_CONFIG_HOME`, else `$HOME/.config`; empty when neither is set.
    static std::filesystem::path userConfigFolder();
    // Empty when the key path cannot name a file (empty, "." or ".." parts).
    static std::filesystem::path storePath(const std::filesystem::path& configFolder,
                                           std::string_view keyPath);

    // Opens the key, reading its file if there is one. A damaged file reads as an empty key and
    // `problem()` says what was wrong with it.
    explicit RegistryStore(std::filesystem::path file);
    static RegistryStore openKey(std::string_view keyPath,
                                 const std::filesystem::path& configFolder = userConfigFolder());

    // The value's bytes when it exists and is of the given type.
    std::optional<std::vector<std::uint8_t>> query(std::string_view name, Type type) const;
    // The number when the value is a DWORD of exactly four bytes.
    std::optional<std::int32_t> queryDword(std::string_view name) const;
    // The text when it fits, with a terminator, in `roomWithTerminator` bytes.
    std::optional<std::string> queryString(std::string_view name,
                                           std::size_t roomWithTerminator) const;

    void setDword(std::string_view name, std::int32_t value);
    void setString(std::string_view name, std::string_view text);
    // Writes the key's file anew, creating its folders. Returns an empty string or the reason.
    std::string flush() const;

    // Removes the key's file; a key that was never stored is not an error.
    static std::string deleteKey(std::string_view keyPath,
                                 const std::filesystem::path& configFolder = userConfigFolder());

    const std::string& problem() const { return problem_; }
    const std::filesystem::path& file() const { return file_; }

    // The store file's own format, exposed for tests and fuzzing.
    static std::map<std::string, Value> parse(std::span<const std::uint8_t> bytes,
                                              std::string& problem);
    static std::vector<std::uint8_t> serialize(const std::map<std::string, Value>& values);

  private:
    std::filesystem::path file_;
    std::map<std::string, Value> values_;
    std::string problem_;
};

} // namespace tessalo
