#include "tools/tool_commands.h"

#include "platform/code_page_1251.h"
#include "platform/pe_module.h"
#include "skin/pictures_module.h"

#include <cstdio>
#include <string>

namespace tessalo::tool {

namespace {

constexpr std::size_t kLayoutTriplesSize = 432;
constexpr std::size_t kTriplesShown = 8;

// Appended piece by piece: GCC 12 at -O3 takes "#" + string for an overlapping copy.
std::string numbered(std::uint16_t id) {
    std::string text = "#";
    text += std::to_string(id);
    return text;
}

std::string typeText(const ResourceId& type) {
    if (!type.isId())
        return cp1251ToUtf8(type.name());
    switch (type.id()) {
    case kRtCursor:
        return "CURSOR";
    case kRtBitmap:
        return "BITMAP";
    case kRtIcon:
        return "ICON";
    case kRtMenu:
        return "MENU";
    case kRtDialog:
        return "DIALOG";
    case kRtString:
        return "STRINGTABLE";
    case kRtRcData:
        return "RCDATA";
    case kRtGroupCursor:
        return "GROUP_CURSOR";
    case kRtGroupIcon:
        return "GROUP_ICON";
    case kRtVersion:
        return "VERSIONINFO";
    default:
        return numbered(type.id());
    }
}

std::string nameText(const ResourceId& name) {
    return name.isId() ? numbered(name.id()) : cp1251ToUtf8(name.name());
}

void listResources(const PeModule& module) {
    const auto entries = module.catalogue();
    std::printf("%s module, %zu resources\n", module.isPe32Plus() ? "PE32+" : "PE32",
                entries.size());
    std::printf("%-16s %-24s %6s %10s\n", "TYPE", "NAME", "LANG", "SIZE");
    for (const auto& entry : entries)
        std::printf("%-16s %-24s 0x%04x %10zu\n", typeText(entry.type).c_str(),
                    nameText(entry.name).c_str(), entry.language, entry.size);
}

void printPlaces(const PicturesCatalogue& catalogue) {
    const auto& clock = catalogue.clockPlace;
    std::printf("clock place: window (%d, %d), digits x %d %d %d %d, y %d\n", clock.x, clock.y,
                clock.digitX[0], clock.digitX[1], clock.digitX[2], clock.digitX[3], clock.digitY);
    const auto& indicator = catalogue.indicatorPlace;
    std::printf("indicator place: window (%d, %d), digits x %d %d %d, y %d\n", indicator.x,
                indicator.y, indicator.digitX[0], indicator.digitX[1], indicator.digitX[2],
                indicator.digitY);
    const char* names[] = {"start", "pause", "help", "exit"};
    std::printf("buttons place:");
    for (std::size_t i = 0; i < 4; ++i)
        std::printf(" %s (%d, %d)", names[i], catalogue.buttonsPlace.buttons[i].x,
                    catalogue.buttonsPlace.buttons[i].y);
    std::printf("\n");
}

// A broken catalogue is damage: the game could not load the set.
int describePictures(const PeModule& module, const std::string& file) {
    auto read = readPicturesCatalogue(module);
    if (auto* error = std::get_if<std::string>(&read)) {
        std::fprintf(stderr, "tessalo-tool module: %s: broken pictures module: %s\n", file.c_str(),
                     error->c_str());
        return 1;
    }
    const auto& catalogue = std::get<PicturesCatalogue>(read);
    std::printf("\npictures module \"%s\"\n", cp1251ToUtf8(catalogue.displayName).c_str());
    std::printf("pictures (N = %zu):", catalogue.pictureNames.size());
    for (std::size_t i = 0; i < catalogue.pictureNames.size(); ++i)
        std::printf(" %zu=%s", i, cp1251ToUtf8(catalogue.pictureNames[i]).c_str());
    std::printf("\nmap (picture of tiles 0..143):");
    for (std::size_t tile = 0; tile < kMapTileCount; ++tile)
        std::printf(tile % 16 == 0 ? "\n  %3u" : " %3u", catalogue.pictureOfTile[tile]);
    std::printf("\n");
    printPlaces(catalogue);
    std::printf("base picture: %s, sound: %s\n", catalogue.hasBase ? "yes" : "no",
                catalogue.hasSound ? "yes" : "no");
    return 0;
}

int describeLayout(const PeModule& module, std::span<const std::uint8_t> triples,
                   const std::string& file) {
    const auto name = module.loadString(1, 20).value_or(std::string());
    std::printf("\nlayout module \"%s\"\n", cp1251ToUtf8(name).c_str());
    if (triples.size() < kLayoutTriplesSize) {
        std::fprintf(stderr, "tessalo-tool module: %s: the layout holds %zu bytes, not 432\n",
                     file.c_str(), triples.size());
        return 1;
    }
    std::printf("first positions (half-column, half-row, layer):");
    for (std::size_t i = 0; i < kTriplesShown; ++i)
        std::printf(" (%u, %u, %u)", triples[3 * i], triples[3 * i + 1], triples[3 * i + 2]);
    std::printf(" ...\n");
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: tessalo-tool module list FILE\n");
    return 2;
}

} // namespace

int runModuleCommand(const std::vector<std::string>& args) {
    if (args.size() != 2 || args[0] != "list")
        return usage();
    const std::string& file = args[1];
    auto opened = PeModule::open(file);
    if (auto* error = std::get_if<std::string>(&opened)) {
        std::fprintf(stderr, "tessalo-tool module: %s\n", error->c_str());
        return 1;
    }
    const auto& module = std::get<PeModule>(opened);
    listResources(module);
    if (isPicturesModule(module))
        return describePictures(module, file);
    if (const auto layout = module.findResource("LAYOUT", std::uint16_t(1)))
        return describeLayout(module, *layout, file);
    return 0;
}

} // namespace tessalo::tool
