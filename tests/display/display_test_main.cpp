#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Without an X server every case is skipped, with the reason, instead of failing to start Qt.
class NeedsDisplay final : public ::testing::Environment {
  public:
    void SetUp() override { GTEST_SKIP() << "no X display: run under tests/display/on_xvfb.sh"; }
};

} // namespace

// Tests of what only a real display shows: the windows go to the X server named by DISPLAY (the
// caller's QT_QPA_PLATFORM is overridden), real input comes through xdotool, and settings and
// runtime files stay inside the build folder.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        ::testing::AddGlobalTestEnvironment(new NeedsDisplay);
        return RUN_ALL_TESTS();
    }

    const QString state = QStringLiteral(TESSALO_TEST_STATE_DIR) + "/" +
                          QString::number(QCoreApplication::applicationPid());
    const QString config = state + "/config";
    const QString runtime = state + "/runtime";
    QDir().mkpath(config);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("QT_QPA_PLATFORM", "xcb");
    // A program may ask for a HiDPI screen of its own; the caller's scale never leaks in.
#ifdef TESSALO_DISPLAY_SCALE_FACTOR
    qputenv("QT_SCALE_FACTOR", TESSALO_DISPLAY_SCALE_FACTOR);
#else
    qunsetenv("QT_SCALE_FACTOR");
#endif
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());

    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    QDir(state).removeRecursively();
    return result;
}
