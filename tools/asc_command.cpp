#include "tools/tool_commands.h"

#include "skin/asc_decoder.h"
#include "skin/asc_encoder.h"
#include "skin/asc_model.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

namespace tessalo::tool {
namespace {

std::optional<std::vector<std::uint8_t>> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

// Written to a temporary name first so a failed write never leaves a half file under OUT.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

int usage() {
    std::fprintf(stderr, "usage: tessalo-tool asc encode|decode IN OUT\n");
    return 2;
}

} // namespace

int runAscCommand(const std::vector<std::string>& args) {
    if (args.size() != 3 || (args[0] != "encode" && args[0] != "decode"))
        return usage();
    const std::string& inPath = args[1];
    const std::string& outPath = args[2];
    const auto input = readFile(inPath);
    if (!input) {
        std::fprintf(stderr, "tessalo-tool asc: cannot read %s\n", inPath.c_str());
        return 1;
    }
    std::vector<std::uint8_t> output;
    if (args[0] == "encode") {
        if (input->size() > asc::kMaxDecodedSize) {
            std::fprintf(stderr, "tessalo-tool asc: %s is larger than 64 MiB\n", inPath.c_str());
            return 1;
        }
        output = encodeAsc(*input);
    } else {
        auto decoded = decodeAsc(*input);
        if (!decoded) {
            std::fprintf(stderr,
                         "tessalo-tool asc: %s is not a valid compressed bitmap (damaged, "
                         "truncated or of the wrong size)\n",
                         inPath.c_str());
            return 1;
        }
        output = std::move(*decoded);
    }
    if (!writeFile(outPath, output)) {
        std::fprintf(stderr, "tessalo-tool asc: cannot write %s\n", outPath.c_str());
        return 1;
    }
    return 0;
}

} // namespace tessalo::tool
