// tessalo-art: draws the shipped picture sets and the program's own art from parameters, and
// renders a contact sheet of any pictures module.
#include "tools/art/contact_sheet.h"
#include "tools/art/picture_set.h"
#include "tools/art/program_art.h"
#include "tools/art/set_params.h"
#include "tools/layout_text.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace tessalo;

int usage() {
    std::fprintf(stderr, "usage: tessalo-art pictures PARAMS.json OUT_FOLDER\n"
                         "       tessalo-art program OUT_FOLDER\n"
                         "       tessalo-art module render MODULE.tsp OUT.png LAYOUT.txt [SEED]\n");
    return 2;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "tessalo-art: %s\n", message.c_str());
    return 1;
}

std::optional<QByteArray> readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

int render(int argc, char** argv, const std::vector<QString>& args) {
    if (args.size() < 3 || args.size() > 4)
        return usage();
    // The sheet's labels need fonts, hence an application; it needs no screen, and the offscreen
    // platform keeps a missing display from stopping the build.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const auto module = readAll(args[0]);
    if (!module)
        return fail("cannot read " + args[0].toStdString());
    const auto layoutText = readAll(args[2]);
    if (!layoutText)
        return fail("cannot read " + args[2].toStdString());
    const auto layout = parseLayoutText(layoutText->toStdString());
    if (!layout.error.empty())
        return fail(args[2].toStdString() + ": " + layout.error);
    bool seedOk = true;
    const std::uint32_t seed = args.size() == 4 ? args[3].toUInt(&seedOk) : 1;
    if (!seedOk)
        return fail("the seed must be a number");
    std::vector<std::string> notes;
    auto sheet = art::renderContactSheet(std::vector<std::uint8_t>(module->begin(), module->end()),
                                         layout.layout, seed, notes);
    if (auto* error = std::get_if<std::string>(&sheet))
        return fail(args[0].toStdString() + ": " + *error);
    for (const std::string& note : notes)
        std::printf("%s\n", note.c_str());
    if (!std::get<QImage>(sheet).save(args[1], "PNG"))
        return fail("cannot write " + args[1].toStdString());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<QString> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(QString::fromLocal8Bit(argv[i]));
    if (args.empty())
        return usage();

    if (args[0] == "pictures" && args.size() == 3) {
        auto params = art::loadSetParams(args[1]);
        if (auto* error = std::get_if<std::string>(&params))
            return fail(*error);
        const std::string error = art::writePictureSet(std::get<art::SetParams>(params), args[2]);
        return error.empty() ? 0 : fail(error);
    }
    if (args[0] == "program" && args.size() == 2) {
        const std::string error = art::writeProgramArt(args[1]);
        return error.empty() ? 0 : fail(error);
    }
    if (args[0] == "module" && args.size() >= 2 && args[1] == "render")
        return render(argc, argv, std::vector<QString>(args.begin() + 2, args.end()));
    return usage();
}
