#include "tools/tool_commands.h"

#include "app/layout_library.h"
#include "game/layout_validation.h"
#include "platform/pe_writer.h"
#include "skin/asc_encoder.h"
#include "skin/bmp_image.h"
#include "skin/pictures_module_builder.h"
#include "tools/layout_text.h"
#include "tools/pictures_manifest.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace tessalo::tool {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kLayoutTriplesSize = 3 * LayoutRecord::kPositions;

std::optional<std::vector<std::uint8_t>> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

// Through a temporary name, so a failed write never leaves half a module under the real name.
std::string writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    const fs::path temporary = path.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            fs::remove(temporary);
            return "cannot write " + path.string();
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary);
        return "cannot write " + path.string() + ": " + error.message();
    }
    return {};
}

int fail(const char* command, const std::string& message) {
    std::fprintf(stderr, "tessalo-tool %s: %s\n", command, message.c_str());
    return 1;
}

std::string writeModule(std::span<const ModuleResource> resources, const fs::path& out) {
    auto module = writeResourceModule(resources);
    if (auto* error = std::get_if<std::string>(&module))
        return *error;
    return writeFile(out, std::get<std::vector<std::uint8_t>>(module));
}

// --- pack-layout ---

int layoutUsage() {
    std::fprintf(stderr, "usage: tessalo-tool pack-layout TEXT OUT.layout\n"
                         "       tessalo-tool pack-layout LIBRARY.tsl INDEX OUT.layout\n"
                         "       tessalo-tool pack-layout --raw TRIPLES NAME OUT.layout\n"
                         "TRIPLES is a file of 432 bytes: (half-column, half-row, layer) of each "
                         "position. NAME is UTF-8.\n");
    return 2;
}

std::variant<LayoutRecord, std::string> layoutFromArgs(const std::vector<std::string>& args) {
    if (args.size() == 2) {
        const auto text = readFile(args[0]);
        if (!text)
            return "cannot read " + args[0];
        auto parsed = parseLayoutText(std::string(text->begin(), text->end()));
        if (!parsed.error.empty())
            return args[0] + ": " + parsed.error;
        return parsed.layout;
    }
    if (args[0] == "--raw") {
        const auto triples = readFile(args[1]);
        if (!triples)
            return "cannot read " + args[1];
        if (triples->size() != kLayoutTriplesSize)
            return args[1] + " has " + std::to_string(triples->size()) + " bytes, not 432";
        const auto name = utf8ToCp1251(args[2]);
        if (!name || name->empty() || name->size() > LayoutRecord::kMaxNameLength)
            return std::string("the name must have 1 to 19 characters of code page 1251");
        LayoutRecord layout;
        layout.setName(*name);
        for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i) {
            layout.x[i] = (*triples)[3 * i];
            layout.y[i] = (*triples)[3 * i + 1];
            layout.z[i] = (*triples)[3 * i + 2];
        }
        return layout;
    }
    const auto library = readFile(args[0]);
    if (!library)
        return "cannot read " + args[0];
    const auto contents = parseLayoutLibrary(*library);
    if (!contents.damage.empty())
        return args[0] + ": " + contents.damage;
    std::size_t index = 0;
    try {
        std::size_t used = 0;
        index = std::stoul(args[1], &used);
        if (used != args[1].size())
            throw std::invalid_argument("index");
    } catch (const std::exception&) {
        return "\"" + args[1] + "\" is not an index";
    }
    if (index >= contents.layouts.size())
        return args[0] + " has " + std::to_string(contents.layouts.size()) + " layouts, no index " +
               args[1];
    return contents.layouts[index];
}

} // namespace

int runPackLayoutCommand(const std::vector<std::string>& args) {
    if (args.size() != 2 && !(args.size() == 3 && args[0] != "--raw") &&
        !(args.size() == 4 && args[0] == "--raw"))
        return layoutUsage();
    auto layout = layoutFromArgs(args);
    if (auto* error = std::get_if<std::string>(&layout))
        return fail("pack-layout", *error);
    const auto& record = std::get<LayoutRecord>(layout);
    if (const auto defect = layoutDefect(record); !defect.empty())
        return fail("pack-layout", "the layout cannot be played: " + defect);

    std::vector<std::uint8_t> triples;
    for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i)
        triples.insert(triples.end(), {record.x[i], record.y[i], record.z[i]});
    std::vector<ModuleResource> resources = {
        {"LAYOUT", std::uint16_t(1), kLanguageNeutral, std::move(triples)}};
    const std::vector<std::pair<std::uint16_t, std::string>> strings = {{1, record.nameText()}};
    for (auto& table : buildStringTables(strings))
        resources.push_back(std::move(table));
    if (auto error = writeModule(resources, args.back()); !error.empty())
        return fail("pack-layout", error);
    return 0;
}

namespace {

// --- pack-pictures ---

class ImageLoader {
  public:
    explicit ImageLoader(fs::path folder) : folder_(std::move(folder)) {}

    // An "ASCBITMAP" resource: the whole BMP file, compressed.
    std::vector<std::uint8_t> compressed(const std::string& file) {
        const auto bytes = bmpFile(file);
        return bytes.empty() ? bytes : encodeAsc(bytes);
    }

    // A bitmap resource: the BMP file without its file header.
    std::vector<std::uint8_t> plain(const std::string& file) {
        auto bytes = bmpFile(file);
        if (bytes.size() > kBmpFileHeaderSize)
            bytes.erase(bytes.begin(), bytes.begin() + kBmpFileHeaderSize);
        return bytes;
    }

    std::vector<std::uint8_t> wave(const std::string& file) {
        auto bytes = read(file);
        const std::string_view riff = "RIFF";
        const std::string_view wave = "WAVE";
        if (error_.empty() &&
            (bytes.size() < 12 || !std::equal(riff.begin(), riff.end(), bytes.begin()) ||
             !std::equal(wave.begin(), wave.end(), bytes.begin() + 8)))
            error_ = file + " is not a RIFF WAVE file";
        return bytes;
    }

    // The size of a BMP file, for comparing a larger version with its image.
    std::optional<BmpSize> size(const std::string& file) {
        const auto bytes = bmpFile(file);
        return bytes.empty() ? std::nullopt : bmpFileSize(bytes);
    }

    void refuse(std::string error) {
        if (error_.empty())
            error_ = std::move(error);
    }

    const std::string& error() const { return error_; }

  private:
    std::vector<std::uint8_t> read(const std::string& file) {
        if (!error_.empty())
            return {};
        auto bytes = readFile(folder_ / file);
        if (!bytes) {
            error_ = "cannot read " + (folder_ / file).string();
            return {};
        }
        return std::move(*bytes);
    }

    std::vector<std::uint8_t> bmpFile(const std::string& file) {
        auto bytes = read(file);
        if (error_.empty() && !parseBmp(bytes)) {
            error_ = file + " is not a BMP image the game can show";
            return {};
        }
        return bytes;
    }

    fs::path folder_;
    std::string error_;
};

struct ImageFile {
    std::string name;
    std::string file;
    // A plain bitmap resource (the buttons), else compressed.
    bool plain = false;
};

std::vector<ImageFile> imageFiles(const PicturesManifest& manifest) {
    std::vector<ImageFile> files;
    for (const auto& picture : manifest.pictures)
        files.push_back({picture.name, picture.file});
    files.push_back({kBackgroundName, manifest.background});
    if (manifest.base)
        files.push_back({kBaseName, *manifest.base});
    files.push_back({kClockName, manifest.clock});
    files.push_back({kIndicatorName, manifest.indicator});
    for (int digit = 0; digit <= 9; ++digit)
        files.push_back({digitBitmapName(digit), manifest.digits[std::size_t(digit)]});
    for (std::size_t button = 0; button < kPictureButtons.size(); ++button) {
        for (int down = 0; down < 2; ++down)
            files.push_back({buttonBitmapName(kPictureButtons[button], down != 0),
                             manifest.buttons[button][std::size_t(down)], true});
    }
    return files;
}

std::string sizeText(BmpSize size) {
    return std::to_string(size.width) + " x " + std::to_string(size.height);
}

// Each image's larger versions from the manifest's variant folders, each exactly its factor
// times the image's size: a near miss would be drawn stretched or cut.
void addVariants(const PicturesManifest& manifest, ImageLoader& images,
                 PicturesModuleContent& content) {
    for (const auto& [factor, folder] : manifest.variantFolders) {
        for (const ImageFile& image : imageFiles(manifest)) {
            const std::string file = (fs::path(folder) / image.file).generic_string();
            const auto plainSize = images.size(image.file);
            const auto size = images.size(file);
            if (!plainSize || !size)
                return;
            const BmpSize wanted{factor * plainSize->width, factor * plainSize->height};
            if (*size != wanted) {
                images.refuse(file + " is " + sizeText(*size) + ", not " + std::to_string(factor) +
                              " times the " + sizeText(*plainSize) + " of " + image.file + " (" +
                              sizeText(wanted) + ")");
                return;
            }
            content.variants.push_back(
                {image.name, factor, image.plain ? images.plain(file) : images.compressed(file)});
        }
    }
}

} // namespace

int runPackPicturesCommand(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tessalo-tool pack-pictures MANIFEST OUT.tsp\n"
                             "The manifest format is described in tools/pictures_manifest.h.\n");
        return 2;
    }
    const auto text = readFile(args[0]);
    if (!text)
        return fail("pack-pictures", "cannot read " + args[0]);
    const auto parsed = parsePicturesManifest(std::string(text->begin(), text->end()));
    if (!parsed.error.empty())
        return fail("pack-pictures", args[0] + ": " + parsed.error);
    const auto& manifest = parsed.manifest;

    ImageLoader images(fs::path(args[0]).parent_path());
    PicturesModuleContent content;
    content.displayName = manifest.displayName;
    for (const auto& picture : manifest.pictures)
        content.pictures.push_back({picture.name, images.compressed(picture.file)});
    content.pictureOfTile = manifest.pictureOfTile;
    content.clockPlace = manifest.clockPlace;
    content.indicatorPlace = manifest.indicatorPlace;
    content.buttonsPlace = manifest.buttonsPlace;
    content.background = images.compressed(manifest.background);
    content.clock = images.compressed(manifest.clock);
    content.indicator = images.compressed(manifest.indicator);
    for (std::size_t digit = 0; digit < content.digits.size(); ++digit)
        content.digits[digit] = images.compressed(manifest.digits[digit]);
    if (manifest.base)
        content.base = images.compressed(*manifest.base);
    if (manifest.sound)
        content.sound = images.wave(*manifest.sound);
    for (std::size_t button = 0; button < content.buttonBitmaps.size(); ++button) {
        for (std::size_t down = 0; down < 2; ++down)
            content.buttonBitmaps[button][down] = images.plain(manifest.buttons[button][down]);
    }
    addVariants(manifest, images, content);
    if (!images.error().empty())
        return fail("pack-pictures", images.error());

    auto resources = picturesModuleResources(content);
    if (auto* error = std::get_if<std::string>(&resources))
        return fail("pack-pictures", *error);
    if (auto error = writeModule(std::get<std::vector<ModuleResource>>(resources), args[1]);
        !error.empty())
        return fail("pack-pictures", error);
    return 0;
}

} // namespace tessalo::tool
