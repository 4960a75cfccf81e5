// Loaded into the program under test in place of the C library's time(), so that a test chooses
// the calendar second a deal is seeded with and the seconds the game's clock counts. The second is
// read at every call from the file named by TESSALO_TEST_TIME_FILE; the test replaces that file
// whole (rename), so a call never sees half a number. Without the variable the real time is given.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>

namespace {

bool secondFromFile(const char* path, time_t& second) {
    const int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    char text[32];
    const ssize_t length = read(file, text, sizeof text - 1);
    close(file);
    if (length <= 0)
        return false;
    text[length] = '\0';
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text)
        return false;
    second = static_cast<time_t>(value);
    return true;
}

} // namespace

extern "C" time_t time(time_t* result) noexcept {
    time_t second = 0;
    const char* path = std::getenv("TESSALO_TEST_TIME_FILE");
    if (path == nullptr || !secondFromFile(path, second)) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        second = now.tv_sec;
    }
    if (result != nullptr)
        *result = second;
    return second;
}
