#include "tools/tool_commands.h"

#include "app/layout_import.h"
#include "app/layout_library.h"
#include "platform/byte_writer.h"
#include "platform/pe_module.h"
#include "skin/asc_decoder.h"
#include "skin/pictures_module.h"
#include "tools/layout_text.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tessalo {
namespace {

namespace fs = std::filesystem;

using Command = int (*)(const std::vector<std::string>&);

// A 1×1 24-bit image whose one pixel is `blue`, so the images of a set tell apart.
std::vector<std::uint8_t> tinyBmp(std::uint8_t blue) {
    ByteWriter out;
    out.u16(0x4D42); // "BM"
    // File size, reserved, bits offset; header size, width, height, 1 plane and 24 bits, then
    // no compression and zero sizes, resolutions and colour counts; the pixel row.
    for (std::uint32_t value :
         {58u, 0u, 54u, 40u, 1u, 1u, 0x180001u, 0u, 0u, 0u, 0u, 0u, 0u, std::uint32_t{blue}})
        out.u32(value);
    return out.take();
}

// A `width` × `height` 24-bit image of one colour whose blue is `blue`.
std::vector<std::uint8_t> sizedBmp(int width, int height, std::uint8_t blue) {
    const std::uint32_t stride = std::uint32_t(3 * width + 3) / 4 * 4;
    ByteWriter out;
    out.u16(0x4D42);
    for (std::uint32_t value :
         {54 + stride * std::uint32_t(height), 0u, 54u, 40u, std::uint32_t(width),
          std::uint32_t(height), 0x180001u, 0u, 0u, 0u, 0u, 0u, 0u})
        out.u32(value);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            out.u8(blue);
            out.u8(0);
            out.u8(0);
        }
        for (std::uint32_t pad = std::uint32_t(3 * width); pad < stride; ++pad)
            out.u8(0);
    }
    return out.take();
}

const std::vector<std::string> kImages = {
    "bg.bmp", "base.bmp", "clock.bmp", "ind.bmp", "0.bmp",  "1.bmp",  "2.bmp",    "3.bmp",
    "4.bmp",  "5.bmp",    "6.bmp",     "7.bmp",   "8.bmp",  "9.bmp",  "su.bmp",   "sd.bmp",
    "pu.bmp", "pd.bmp",   "hu.bmp",    "hd.bmp",  "eu.bmp", "ed.bmp", "leaf.bmp", "cone.bmp"};

const std::string kManifest = R"(tessalo-pictures 1
name: Осень
background: bg.bmp
base: base.bmp
sound: ok.wav
clock: clock.bmp
indicator: ind.bmp
digits: 0.bmp 1.bmp 2.bmp 3.bmp 4.bmp 5.bmp 6.bmp 7.bmp 8.bmp 9.bmp
button start: su.bmp sd.bmp
button pause: pu.bmp pd.bmp
button help: hu.bmp hd.bmp
button exit: eu.bmp ed.bmp
picture LEAF: leaf.bmp
picture CONE: cone.bmp
map: by-group
tile 143: LEAF
place clock: 688 0 10 20 40 50 8
place indicator: 722 552 5 20 35 10
place buttons: 0 0 100 0 200 0 300 -1
)";

class MessageList : public MessageSink {
  public:
    void showMessage(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

class ModuleCommands : public testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() / ("tessalo_module_command_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<std::uint8_t> read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    int run(Command command, const std::vector<std::string>& args) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int code = command(args);
        out_ = testing::internal::GetCapturedStdout();
        err_ = testing::internal::GetCapturedStderr();
        return code;
    }

    void writePictureFiles(const std::string& manifest) const {
        for (std::size_t i = 0; i < kImages.size(); ++i)
            write(kImages[i], tinyBmp(static_cast<std::uint8_t>(i)));
        write("ok.wav", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'});
        std::ofstream(path("set.txt")) << manifest;
    }

    static std::vector<std::uint8_t> triplesOf(const LayoutRecord& layout) {
        std::vector<std::uint8_t> triples;
        for (std::size_t i = 0; i < LayoutRecord::kPositions; ++i)
            triples.insert(triples.end(), {layout.x[i], layout.y[i], layout.z[i]});
        return triples;
    }

    static LayoutRecord turtle() {
        std::ifstream file(fs::path(TESSALO_SOURCE_DIR) / "data/layouts/01-turtle.txt");
        const std::string text{std::istreambuf_iterator<char>(file),
                               std::istreambuf_iterator<char>()};
        return parseLayoutText(text).layout;
    }

    fs::path folder_;
    std::string out_;
    std::string err_;
};

TEST_F(ModuleCommands, PackLayoutFromText_GivesAModuleTheGameImports) {
    const std::string text = std::string(TESSALO_SOURCE_DIR) + "/data/layouts/01-turtle.txt";
    ASSERT_EQ(run(tool::runPackLayoutCommand, {text, path("turtle.layout")}), 0) << err_;

    const LayoutRecord expected = turtle();
    auto opened = PeModule::open(path("turtle.layout"));
    ASSERT_TRUE(std::holds_alternative<PeModule>(opened)) << std::get<std::string>(opened);
    const auto& module = std::get<PeModule>(opened);
    const auto triples = module.findResource("LAYOUT", std::uint16_t(1));
    ASSERT_TRUE(triples);
    EXPECT_EQ(std::vector(triples->begin(), triples->end()), triplesOf(expected));
    EXPECT_EQ(module.loadString(1, 20), "Turtle");

    ASSERT_EQ(run(tool::runModuleCommand, {"list", path("turtle.layout")}), 0) << err_;
    EXPECT_NE(out_.find("layout module \"Turtle\""), std::string::npos) << out_;

    // The same layout taken from a library gives the same module.
    ASSERT_EQ(saveLayoutLibrary(path("one.tsl"), std::vector{expected}), "");
    ASSERT_EQ(run(tool::runPackLayoutCommand, {path("one.tsl"), "0", path("again.layout")}), 0)
        << err_;
    EXPECT_EQ(read("again.layout"), read("turtle.layout"));
    EXPECT_EQ(run(tool::runPackLayoutCommand, {path("one.tsl"), "1", path("none.layout")}), 1);
    EXPECT_NE(err_.find("has 1 layouts, no index 1"), std::string::npos) << err_;

    std::vector<LayoutRecord> layouts;
    MessageList messages;
    EXPECT_EQ(importLayoutModule(path("turtle.layout"), layouts, path("ts220.tsl"), messages),
              "Turtle");
    EXPECT_TRUE(messages.texts.empty());
    const auto library = loadLayoutLibrary(path("ts220.tsl"));
    EXPECT_EQ(library.contents.damage, "");
    EXPECT_EQ(library.contents.layouts, std::vector{expected});
}

TEST_F(ModuleCommands, PackLayout_RefusesALayoutThatBreaksTheBoard) {
    std::vector<std::uint8_t> triples = triplesOf(turtle());
    // The second position on the first one's anchor.
    std::copy_n(triples.begin(), 3, triples.begin() + 3);
    write("shared.bin", triples);
    EXPECT_EQ(run(tool::runPackLayoutCommand,
                  {"--raw", path("shared.bin"), "Shared", path("shared.layout")}),
              1);
    EXPECT_NE(err_.find("the layout cannot be played: "), std::string::npos) << err_;
    EXPECT_NE(err_.find("share one place"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(path("shared.layout")));
}

TEST_F(ModuleCommands, PackPictures_GivesACompleteSetThatModuleListDescribes) {
    writePictureFiles(kManifest);
    ASSERT_EQ(run(tool::runPackPicturesCommand, {path("set.txt"), path("set.tsp")}), 0) << err_;

    auto opened = PeModule::open(path("set.tsp"));
    ASSERT_TRUE(std::holds_alternative<PeModule>(opened)) << std::get<std::string>(opened);
    const auto& module = std::get<PeModule>(opened);
    auto read = readPicturesCatalogue(module);
    ASSERT_TRUE(std::holds_alternative<PicturesCatalogue>(read)) << std::get<std::string>(read);
    const auto& catalogue = std::get<PicturesCatalogue>(read);
    EXPECT_EQ(catalogue.displayName, "\xCE\xF1\xE5\xED\xFC");
    EXPECT_EQ(catalogue.pictureNames, (std::vector<std::string>{"LEAF", "CONE"}));
    EXPECT_EQ(catalogue.pictureOfTile[4], 1);
    EXPECT_EQ(catalogue.pictureOfTile[143], 0);
    // The places, base and sound are checked through the listing below.

    // Each image lands under its own name: compressed whole, or a button without its file header.
    const auto clock = module.findResource(kAscBitmapType, kClockName);
    ASSERT_TRUE(clock);
    EXPECT_EQ(decodeAsc(*clock), tinyBmp(2));
    const auto helpDown = module.loadBitmap(buttonBitmapName(PictureButton::Help, true));
    ASSERT_TRUE(helpDown);
    const auto helpDownFile = tinyBmp(19);
    EXPECT_EQ(std::vector(helpDown->begin(), helpDown->end()),
              std::vector(helpDownFile.begin() + 14, helpDownFile.end()));

    ASSERT_EQ(run(tool::runModuleCommand, {"list", path("set.tsp")}), 0) << err_;
    for (const char* line :
         {"pictures module \"Осень\"\n", "pictures (N = 2): 0=LEAF 1=CONE\n",
          "clock place: window (688, 0), digits x 10 20 40 50, y 8\n",
          "indicator place: window (722, 552), digits x 5 20 35, y 10\n",
          "buttons place: start (0, 0) pause (100, 0) help (200, 0) exit (300, -1)\n",
          "base picture: yes, sound: yes\n"})
        EXPECT_NE(out_.find(line), std::string::npos) << line << out_;
}

TEST_F(ModuleCommands, PackPictures_RefusesAManifestMissingARequiredLine) {
    std::string manifest = kManifest;
    const std::string indicator = "indicator: ind.bmp\n";
    manifest.erase(manifest.find(indicator), indicator.size());
    writePictureFiles(manifest);
    EXPECT_EQ(run(tool::runPackPicturesCommand, {path("set.txt"), path("set.tsp")}), 1);
    EXPECT_NE(err_.find("missing \"indicator\""), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(path("set.tsp")));

    writePictureFiles(kManifest);
    fs::remove(path("hd.bmp"));
    EXPECT_EQ(run(tool::runPackPicturesCommand, {path("set.txt"), path("set.tsp")}), 1);
    EXPECT_NE(err_.find("cannot read " + path("hd.bmp")), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(path("set.tsp")));
}

TEST_F(ModuleCommands, PackPictures_TakesLargerVersionsOfExactlyTheirFactorsSize) {
    const std::string manifest = kManifest + "variants 3: x3\nvariants 2: big\n";
    auto writeVersions = [&] {
        writePictureFiles(manifest);
        fs::create_directories(folder_ / "big");
        fs::create_directories(folder_ / "x3");
        for (std::size_t i = 0; i < kImages.size(); ++i) {
            write("big/" + kImages[i], sizedBmp(2, 2, static_cast<std::uint8_t>(100 + i)));
            write("x3/" + kImages[i], sizedBmp(3, 3, static_cast<std::uint8_t>(200 + i)));
        }
    };
    writeVersions();
    ASSERT_EQ(run(tool::runPackPicturesCommand, {path("set.txt"), path("set.tsp")}), 0) << err_;
    {
        auto opened = PeModule::open(path("set.tsp"));
        ASSERT_TRUE(std::holds_alternative<PeModule>(opened));
        const auto& module = std::get<PeModule>(opened);
        ASSERT_TRUE(std::holds_alternative<PicturesCatalogue>(readPicturesCatalogue(module)));
        const auto clock = module.findResource(kAscBitmapType, "IDB_CLOCK@2X");
        ASSERT_TRUE(clock);
        EXPECT_EQ(decodeAsc(*clock), sizedBmp(2, 2, 102));
        const auto cone = module.findResource(kAscBitmapType, "CONE@3X");
        ASSERT_TRUE(cone);
        EXPECT_EQ(decodeAsc(*cone), sizedBmp(3, 3, 223));
        const auto helpDown = module.loadBitmap("IDB_HELP_BUTTON_D@3X");
        ASSERT_TRUE(helpDown);
        const auto helpDownFile = sizedBmp(3, 3, 219);
        EXPECT_EQ(std::vector(helpDown->begin(), helpDown->end()),
                  std::vector(helpDownFile.begin() + 14, helpDownFile.end()));
        // Every one of the 24 images at both factors, none more.
        EXPECT_EQ(module.catalogue().size(), 24u + 1 + 2 + 3 + 1 + 48);
    }
    fs::remove(path("set.tsp"));

    // One pixel short, or missing: refused with the file named, and nothing written.
    writeVersions();
    write("x3/ind.bmp", sizedBmp(3, 2, 0));
    EXPECT_EQ(run(tool::runPackPicturesCommand, {path("set.txt"), path("set.tsp")}), 1);
    EXPECT_NE(err_.find("x3/ind.bmp is 3 x 2, not 3 times the 1 x 1 of ind.bmp (3 x 3)"),
              std::string::npos)
        << err_;
    EXPECT_FALSE(fs::exists(path("set.tsp")));
    writeVersions();
    fs::remove(path("big/leaf.bmp"));
    EXPECT_EQ(run(tool::runPackPicturesCommand, {path("set.txt"), path("set.tsp")}), 1);
    EXPECT_NE(err_.find("cannot read " + path("big/leaf.bmp")), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(path("set.tsp")));

    // A factor the game does not know, and a picture named as a version would be.
    writePictureFiles(kManifest + "variants 4: x4\n");
    EXPECT_EQ(run(tool::runPackPicturesCommand, {path("set.txt"), path("set.tsp")}), 1);
    EXPECT_NE(err_.find("line 20: larger versions come at 2 or 3 times, not \"4\""),
              std::string::npos)
        << err_;
    std::string renamed = kManifest;
    renamed.replace(renamed.find("picture CONE"), 12, "picture CONE@2x");
    renamed.replace(renamed.find("tile 143: LEAF"), 14, "tile 143: CONE@2x");
    writePictureFiles(renamed);
    EXPECT_EQ(run(tool::runPackPicturesCommand, {path("set.txt"), path("set.tsp")}), 1);
    EXPECT_NE(err_.find("picture name \"CONE@2x\" ends in \"@2X\""), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(path("set.tsp")));
}

TEST_F(ModuleCommands, ModuleList_FailsClearlyOnAFileThatIsNoModule) {
    std::ofstream(path("notes.txt")) << "tessalo-pictures 1\n";
    EXPECT_EQ(run(tool::runModuleCommand, {"list", path("notes.txt")}), 1);
    EXPECT_NE(err_.find(path("notes.txt") + ": not a PE module"), std::string::npos) << err_;
    EXPECT_EQ(out_, "");
}

} // namespace
} // namespace tessalo
