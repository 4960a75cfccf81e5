#pragma once

#include <filesystem>
#include <system_error>

namespace tessalo::test {

// Makes `folder` the current directory while it lives, as start-up makes the program's folder
// the current one, and goes back to the previous directory afterwards.
class CurrentDirectory {
  public:
    explicit CurrentDirectory(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

  private:
    std::filesystem::path previous_;
};

} // namespace tessalo::test
