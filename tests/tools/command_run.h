#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessalo::test {

// What a tool command printed and returned.
struct CommandRun {
    int exitCode;
    std::string out;
    std::string err;
};

template <typename Command>
CommandRun runCaptured(Command command, const std::vector<std::string>& args) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int code = command(args);
    CommandRun run{code, testing::internal::GetCapturedStdout(),
                   testing::internal::GetCapturedStderr()};
    return run;
}

} // namespace tessalo::test
