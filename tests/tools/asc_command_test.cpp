#include "tools/tool_commands.h"

#include "skin/asc_decoder.h"

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

class AscCommand : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tessalo_asc_command_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<std::uint8_t> read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    int run(const std::vector<std::string>& args) {
        testing::internal::CaptureStderr();
        const int code = tool::runAscCommand(args);
        errors_ = testing::internal::GetCapturedStderr();
        return code;
    }

    fs::path folder_;
    std::string errors_;
};

TEST_F(AscCommand, EncodeThenDecode_GivesTheFileBack) {
    std::vector<std::uint8_t> image;
    for (int i = 0; i < 5000; ++i)
        image.push_back(static_cast<std::uint8_t>(i % 97 < 50 ? i % 7 : i % 13));
    write("image.bmp", image);
    ASSERT_EQ(run({"encode", path("image.bmp"), path("image.asc")}), 0) << errors_;
    EXPECT_EQ(decodeAsc(read("image.asc")), image);
    ASSERT_EQ(run({"decode", path("image.asc"), path("again.bmp")}), 0) << errors_;
    EXPECT_EQ(read("again.bmp"), image);
}

TEST_F(AscCommand, DamagedInput_FailsWithAMessageAndWritesNothing) {
    // Announces 13 bytes, codes 12.
    write("short.asc", {0x0D, 0x00, 0x00, 0x00, 0x30, 0x18, 0x10, 0x09, 0xCB, 0xBF});
    EXPECT_EQ(run({"decode", path("short.asc"), path("out.bmp")}), 1);
    EXPECT_NE(errors_.find("short.asc"), std::string::npos);
    EXPECT_FALSE(fs::exists(path("out.bmp")));
    EXPECT_FALSE(fs::exists(path("out.bmp.part")));

    EXPECT_EQ(run({"decode", path("missing.asc"), path("out.bmp")}), 1);
    EXPECT_NE(errors_.find("cannot read"), std::string::npos);
    EXPECT_EQ(run({"squeeze", path("short.asc"), path("out.bmp")}), 2);
    EXPECT_EQ(run({"decode", path("short.asc")}), 2);
    EXPECT_FALSE(fs::exists(path("out.bmp")));
}

} // namespace
} // namespace tessalo
