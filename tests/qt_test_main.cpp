#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#ifndef TESSALO_TEST_SCREEN_WIDTH
#define TESSALO_TEST_SCREEN_WIDTH 1024
#define TESSALO_TEST_SCREEN_HEIGHT 768
#endif

// Window tests run on Qt's offscreen platform with their settings and runtime files kept inside
// the build folder, so a test never touches the user's own configuration.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();

    // One folder per process: CTest runs the cases of one program side by side.
    const QString state = QStringLiteral(TESSALO_TEST_STATE_DIR) + "/" +
                          QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(state);
    // The screen is always this one, whatever platform or scale the caller's environment asks
    // for: 1024 × 768 unless the program asks for another, larger than the play area, so the
    // bands around it can be seen. TESSALO_TEST_DEVICE_PIXEL_RATIO (2, 1.5, ...) gives the same
    // screen at that device pixel ratio, each of its pixels that many device pixels across.
    bool isRatio = false;
    const double asked = qEnvironmentVariable("TESSALO_TEST_DEVICE_PIXEL_RATIO").toDouble(&isRatio);
    const double pixelRatio = isRatio && asked >= 1.0 && asked <= 4.0 ? asked : 1.0;
    const QString screens = state + "/screens.json";
    QFile file(screens);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1,)"
                                  R"( "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96,)"
                                  R"( "dpr": %3}]})")
                       .arg(TESSALO_TEST_SCREEN_WIDTH)
                       .arg(TESSALO_TEST_SCREEN_HEIGHT)
                       .arg(pixelRatio)
                       .toUtf8());
        file.close();
    }
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens).toLocal8Bit());
    for (const char* scaling :
         {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_SCALE_FACTOR_ROUNDING_POLICY",
          "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI", "QT_USE_PHYSICAL_DPI"})
        qunsetenv(scaling);
    const QString config = state + "/config";
    const QString runtime = state + "/runtime";
    QDir().mkpath(config);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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
