#include "tools/art/set_params.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tessalo::art {
namespace {

QPoint pointOf(const QJsonValue& value) {
    const QJsonArray pair = value.toArray();
    return QPoint(pair.at(0).toInt(), pair.at(1).toInt());
}

} // namespace

QColor SetParams::colour(const std::string& key) const {
    auto found = colours.find(key);
    return found == colours.end() ? QColor(255, 0, 255) : found->second;
}

std::variant<SetParams, std::string> loadSetParams(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "cannot read " + path.toStdString() + ": " + file.errorString().toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull())
        return path.toStdString() + ": " + error.errorString().toStdString();
    const QJsonObject root = document.object();

    SetParams params;
    params.displayName = root.value("displayName").toString().toStdString();
    params.style = root.value("style").toString().toStdString();
    params.hasBase = root.value("base").toBool();
    if (params.displayName.empty() || params.displayName.size() > 19)
        return path.toStdString() + ": displayName must have 1 to 19 characters";
    if (params.style != "classic" && params.style != "clear")
        return path.toStdString() + ": style must be \"classic\" or \"clear\"";

    const QJsonObject colours = root.value("colours").toObject();
    for (auto it = colours.begin(); it != colours.end(); ++it) {
        const QColor colour = QColor::fromString(it.value().toString());
        if (!colour.isValid())
            return path.toStdString() + ": colour " + it.key().toStdString() + " is not #rrggbb";
        params.colours[it.key().toStdString()] = colour;
    }

    const QJsonObject buttons = root.value("buttons").toObject();
    const QPoint size = pointOf(buttons.value("size"));
    params.buttonSize = QSize(size.x(), size.y());
    const char* buttonKeys[] = {"start", "pause", "help", "exit"};
    for (std::size_t i = 0; i < 4; ++i)
        params.buttonPositions[i] = pointOf(buttons.value(buttonKeys[i]));
    if (params.buttonSize.isEmpty())
        return path.toStdString() + ": buttons need a size";
    params.clockPosition = pointOf(root.value("clock"));
    params.indicatorPosition = pointOf(root.value("indicator"));

    const QJsonObject sound = root.value("sound").toObject();
    params.soundRate = sound.value("rate").toInt(11025);
    params.soundMilliseconds = sound.value("milliseconds").toInt(220);
    const QJsonArray tones = sound.value("tones").toArray();
    params.soundTones = {tones.at(0).toDouble(880), tones.at(1).toDouble(1320)};
    if (params.soundRate < 4000 || params.soundRate > 48000 || params.soundMilliseconds < 20 ||
        params.soundMilliseconds > 2000)
        return path.toStdString() + ": sound rate or length out of range";
    return params;
}

} // namespace tessalo::art
