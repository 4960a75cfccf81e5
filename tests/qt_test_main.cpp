#include <QApplication>
#include <QByteArray>
#include <QDir>

#include <gtest/gtest.h>

// Window tests run on Qt's offscreen platform with their settings and runtime files kept inside
// the build folder, so a test never touches the user's own configuration.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString state = QStringLiteral(TESSALO_TEST_STATE_DIR);
    const QString config = state + "/config";
    const QString runtime = state + "/runtime";
    QDir().mkpath(config);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());

    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
