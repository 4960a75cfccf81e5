#include "tools/pictures_manifest.h"

#include "platform/code_page_1251.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <sstream>

namespace tessalo {

namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Appended piece by piece: GCC 12 at -O3 takes "\"" + string for an overlapping copy.
std::string quotedKey(std::string_view key) {
    std::string text = "\"";
    text += key;
    text += '"';
    return text;
}

std::vector<std::string> words(std::string_view text) {
    std::istringstream stream{std::string(text)};
    std::vector<std::string> result;
    for (std::string word; stream >> word;)
        result.push_back(word);
    return result;
}

template <typename Integer> std::optional<Integer> number(std::string_view word) {
    Integer value{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

struct LineError {
    std::string text;
};

class ManifestReader {
  public:
    std::string read(std::string_view text) {
        std::size_t lineNumber = 0;
        bool versionSeen = false;
        while (!text.empty()) {
            const auto end = text.find('\n');
            const std::string_view line = trim(text.substr(0, end));
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            ++lineNumber;
            if (line.empty() || line.front() == '#')
                continue;
            if (!versionSeen) {
                if (line != kPicturesManifestVersionLine)
                    return "line " + std::to_string(lineNumber) + ": expected \"" +
                           std::string(kPicturesManifestVersionLine) + "\"";
                versionSeen = true;
                continue;
            }
            if (auto error = readLine(line); !error.empty())
                return "line " + std::to_string(lineNumber) + ": " + error;
        }
        if (!versionSeen)
            return "empty manifest";
        return finish();
    }

    PicturesManifest manifest;

  private:
    std::string readLine(std::string_view line) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos)
            return "expected \"key: value\"";
        const auto key = words(line.substr(0, colon));
        const std::string_view value = trim(line.substr(colon + 1));
        const auto values = words(value);
        if (key.empty())
            return "expected a key before ':'";
        const std::string& what = key[0];
        if (!seen_.insert(std::string(trim(line.substr(0, colon)))).second && what != "tile" &&
            what != "tiles")
            return quotedKey(trim(line.substr(0, colon))) + " given twice";
        if (key.size() == 1 && what == "name")
            return readName(value);
        if (key.size() == 1 && (what == "background" || what == "base" || what == "sound" ||
                                what == "clock" || what == "indicator")) {
            if (values.size() != 1)
                return "expected one file name";
            if (what == "background")
                manifest.background = values[0];
            else if (what == "base")
                manifest.base = values[0];
            else if (what == "sound")
                manifest.sound = values[0];
            else if (what == "clock")
                manifest.clock = values[0];
            else
                manifest.indicator = values[0];
            return {};
        }
        if (key.size() == 1 && what == "digits") {
            if (values.size() != 10)
                return "expected ten file names, digits 0 to 9";
            std::copy(values.begin(), values.end(), manifest.digits.begin());
            return {};
        }
        if (key.size() == 2 && what == "button")
            return readButton(key[1], values);
        if (key.size() == 2 && what == "picture") {
            if (values.size() != 1)
                return "expected one file name";
            manifest.pictures.push_back({key[1], values[0]});
            return {};
        }
        if (key.size() == 1 && what == "map") {
            if (values.empty())
                return "expected \"by-group\" or a list of pictures";
            mapWords_ = values;
            return {};
        }
        if (key.size() == 2 && (what == "tile" || what == "tiles"))
            return readOverride(key[1], values);
        if (key.size() == 2 && what == "place")
            return readPlace(key[1], values);
        if (key.size() == 2 && what == "variants") {
            if (key[1] != "2" && key[1] != "3")
                return "larger versions come at 2 or 3 times, not \"" + key[1] + "\"";
            if (values.size() != 1)
                return "expected one folder";
            manifest.variantFolders.emplace_back(key[1][0] - '0', values[0]);
            std::sort(manifest.variantFolders.begin(), manifest.variantFolders.end());
            return {};
        }
        return "unknown key \"" + std::string(trim(line.substr(0, colon))) + "\"";
    }

    std::string readName(std::string_view value) {
        auto name = utf8ToCp1251(value);
        if (!name)
            return "the name holds a character code page 1251 cannot";
        if (name->empty() || name->size() > kDisplayNameBufferSize - 1)
            return "the name must have 1 to 19 characters";
        manifest.displayName = *name;
        return {};
    }

    std::string readButton(const std::string& which, const std::vector<std::string>& values) {
        static const std::map<std::string, PictureButton> buttons = {
            {"start", PictureButton::Start},
            {"pause", PictureButton::Pause},
            {"help", PictureButton::Help},
            {"exit", PictureButton::Exit}};
        const auto found = buttons.find(which);
        if (found == buttons.end())
            return "unknown button \"" + which + "\"";
        if (values.size() != 2)
            return "expected the up image and the down image";
        manifest.buttons[static_cast<std::size_t>(found->second)] = {values[0], values[1]};
        return {};
    }

    std::string readOverride(const std::string& range, const std::vector<std::string>& values) {
        const auto dash = range.find('-');
        const auto first = number<unsigned>(range.substr(0, dash));
        const auto last =
            dash == std::string::npos ? first : number<unsigned>(range.substr(dash + 1));
        if (!first || !last || *first > *last || *last >= kMapTileCount)
            return "expected a tile or a range of tiles within 0 to 143";
        if (values.size() != 1)
            return "expected one picture";
        overrides_.push_back({*first, *last, values[0]});
        return {};
    }

    std::string readPlace(const std::string& which, const std::vector<std::string>& values) {
        std::vector<std::int16_t> numbers;
        for (const auto& value : values) {
            const auto parsed = number<std::int16_t>(value);
            if (!parsed)
                return "\"" + value + "\" is not a number from -32768 to 32767";
            numbers.push_back(*parsed);
        }
        auto expect = [&](std::size_t count) {
            return numbers.size() == count
                       ? std::string()
                       : "expected " + std::to_string(count) + " numbers for place " + which;
        };
        if (which == "clock") {
            if (auto error = expect(7); !error.empty())
                return error;
            auto& place = manifest.clockPlace;
            place = {numbers[0],
                     numbers[1],
                     {numbers[2], numbers[3], numbers[4], numbers[5]},
                     numbers[6]};
        } else if (which == "indicator") {
            if (auto error = expect(6); !error.empty())
                return error;
            manifest.indicatorPlace = {
                numbers[0], numbers[1], {numbers[2], numbers[3], numbers[4]}, numbers[5]};
        } else if (which == "buttons") {
            if (auto error = expect(8); !error.empty())
                return error;
            for (std::size_t i = 0; i < 4; ++i)
                manifest.buttonsPlace.buttons[i] = {numbers[2 * i], numbers[2 * i + 1]};
        } else {
            return "unknown place \"" + which + "\"";
        }
        return {};
    }

    std::optional<std::uint8_t> pictureIndex(const std::string& word) const {
        if (const auto index = number<unsigned>(word); index) {
            if (*index < manifest.pictures.size())
                return static_cast<std::uint8_t>(*index);
            return std::nullopt;
        }
        for (std::size_t i = 0; i < manifest.pictures.size(); ++i) {
            if (manifest.pictures[i].name == word)
                return static_cast<std::uint8_t>(i);
        }
        return std::nullopt;
    }

    std::string finish() {
        const std::size_t count = manifest.pictures.size();
        if (count == 0 || count > 255)
            return "a set needs 1 to 255 pictures, not " + std::to_string(count);
        for (const char* key : {"name", "background", "clock", "indicator", "digits", "map",
                                "place clock", "place indicator", "place buttons", "button start",
                                "button pause", "button help", "button exit"}) {
            if (seen_.count(key) == 0)
                return std::string("missing \"") + key + "\"";
        }
        if (mapWords_.size() == 1 && mapWords_[0] == "by-group") {
            for (std::size_t tile = 0; tile < kMapTileCount; ++tile)
                manifest.pictureOfTile[tile] = static_cast<std::uint8_t>(tile / 4 % count);
        } else {
            for (std::size_t tile = 0; tile < kMapTileCount; ++tile) {
                const auto& word = mapWords_[tile % mapWords_.size()];
                const auto index = pictureIndex(word);
                if (!index)
                    return "map: no picture \"" + word + "\"";
                manifest.pictureOfTile[tile] = *index;
            }
        }
        for (const auto& change : overrides_) {
            const auto index = pictureIndex(change.picture);
            if (!index)
                return "tile " + std::to_string(change.first) + ": no picture \"" + change.picture +
                       "\"";
            for (unsigned tile = change.first; tile <= change.last; ++tile)
                manifest.pictureOfTile[tile] = *index;
        }
        return {};
    }

    struct Override {
        unsigned first;
        unsigned last;
        std::string picture;
    };

    std::set<std::string> seen_;
    std::vector<std::string> mapWords_;
    std::vector<Override> overrides_;
};

} // namespace

std::optional<std::string> utf8ToCp1251(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::uint32_t code = 0;
        std::size_t length = 1;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            code = lead & 0x1F;
            length = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            code = lead & 0x0F;
            length = 3;
        } else {
            return std::nullopt; // beyond the 16-bit plane: code page 1251 has none of it
        }
        if (i + length > text.size())
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        const auto byte = unicodeToCp1251(static_cast<char16_t>(code));
        if (!byte)
            return std::nullopt;
        result.push_back(static_cast<char>(*byte));
        i += length;
    }
    return result;
}

PicturesManifestParse parsePicturesManifest(std::string_view text) {
    ManifestReader reader;
    PicturesManifestParse result;
    result.error = reader.read(text);
    result.manifest = std::move(reader.manifest);
    return result;
}

} // namespace tessalo
