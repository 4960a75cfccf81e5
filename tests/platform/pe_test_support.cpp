#include "tests/platform/pe_test_support.h"

#include "platform/byte_writer.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tessalo::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessalo-pe-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
}

bool haveProgram(const std::string& program) {
    return runCommand("command -v " + program + " >/dev/null 2>&1") == 0;
}

int runCommand(const std::string& command, std::string* output) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return -1;
    std::array<char, 4096> buffer;
    std::size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        if (output != nullptr)
            output->append(buffer.data(), count);
    }
    return pclose(pipe);
}

std::optional<std::vector<std::uint8_t>> buildWithWindres(const std::string& arch,
                                                          const std::filesystem::path& dir,
                                                          const std::string& rcText) {
    const std::string prefix = arch + "-w64-mingw32-";
    const auto rc = dir / "module.rc";
    const auto object = dir / "module.o";
    const auto library = dir / ("module-" + arch + ".dll");
    writeFile(rc, rcText);
    std::string log;
    const std::string compile =
        "cd '" + dir.string() + "' && " + prefix +
        "windres --preprocessor=cpp --preprocessor-arg=-undef -c 1251 -i '" + rc.string() +
        "' -o '" + object.string() + "'";
    const std::string link = prefix +
                             "ld --dll -e 0 --no-insert-timestamp --subsystem windows -s -o '" +
                             library.string() + "' '" + object.string() + "'";
    if (runCommand(compile, &log) != 0 || runCommand(link, &log) != 0) {
        std::fprintf(stderr, "%s", log.c_str());
        return std::nullopt;
    }
    return readFile(library);
}

std::vector<std::uint8_t> smallBmpFile(int width, int height, std::uint8_t shade) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const auto pixelBytes = static_cast<std::uint32_t>(stride * height);
    ByteWriter out;
    out.u16(0x4D42);
    out.u32(14 + 40 + pixelBytes);
    out.u32(0);
    out.u32(14 + 40);
    out.u32(40);
    out.i32(width);
    out.i32(height);
    out.u16(1);
    out.u16(24);
    out.u32(0);
    out.u32(pixelBytes);
    out.u32(2835);
    out.u32(2835);
    out.u32(0);
    out.u32(0);
    for (std::uint32_t i = 0; i < pixelBytes; ++i)
        out.u8(static_cast<std::uint8_t>(shade + i));
    return out.take();
}

} // namespace tessalo::test
