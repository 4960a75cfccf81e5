#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessalo::test {

// A fresh folder under the system's temporary folder, removed when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
void writeFile(const std::filesystem::path& path, const std::string& text);

// True when `program` is found on the search path.
bool haveProgram(const std::string& program);
// Runs a shell command; its output goes to `output` when given.
int runCommand(const std::string& command, std::string* output = nullptr);

// Compiles `rcText` (code page 1251) in `dir` with the MinGW resource compiler of `arch` ("i686" or
// "x86_64") and links a resource-only library. None when a step fails.
std::optional<std::vector<std::uint8_t>> buildWithWindres(const std::string& arch,
                                                          const std::filesystem::path& dir,
                                                          const std::string& rcText);

// A small bottom-up 24-bit BMP file, 14-byte file header included.
std::vector<std::uint8_t> smallBmpFile(int width, int height, std::uint8_t shade);

} // namespace tessalo::test
