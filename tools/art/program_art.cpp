#include "tools/art/program_art.h"

#include "skin/asc_encoder.h"
#include "tools/art/bmp_file.h"
#include "tools/art/desktop_icon.h"
#include "tools/art/icon_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tessalo::art {
namespace {

const QColor kShell(222, 74, 44);
const QColor kShellDark(128, 34, 18);
const QColor kShellLight(246, 140, 100);

void drawClaw(QPainter& p, QPointF shoulder, QPointF hand, int side) {
    p.setPen(QPen(kShell, 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(shoulder, hand);
    p.save();
    p.translate(hand);
    p.rotate(side * -20);
    p.setPen(QPen(kShellDark, 1.2));
    p.setBrush(kShell);
    QPainterPath pincer;
    pincer.moveTo(0, 6);
    pincer.cubicTo(-10, 4, -9, -12, -2, -13);
    pincer.lineTo(0, -4);
    pincer.lineTo(3, -12);
    pincer.cubicTo(9, -10, 10, 4, 0, 6);
    p.drawPath(pincer);
    p.restore();
}

void drawEye(QPainter& p, QPointF centre, bool closed) {
    p.setPen(QPen(kShellDark, 1.0));
    if (closed) {
        p.setBrush(kShell);
        p.drawEllipse(centre, 4.2, 4.2);
        p.setPen(QPen(QColor(30, 20, 20), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(centre.x() - 3, centre.y() - 2.5, 6, 4), 200 * 16, 140 * 16);
        return;
    }
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(centre, 4.2, 4.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 30));
    p.drawEllipse(centre + QPointF(0.6, 0.4), 2.1, 2.1);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(centre + QPointF(-0.4, -0.8), 0.8, 0.8);
}

// A small tile seen from the front, for the icons.
void drawIconTile(QPainter& p, QRectF face, const QColor& side) {
    p.setPen(Qt::NoPen);
    p.setBrush(side);
    QPolygonF depth;
    depth << face.topLeft() << face.topLeft() + QPointF(-3, 3) << face.bottomLeft() + QPointF(-3, 3)
          << face.bottomRight() + QPointF(-3, 3) << face.bottomRight() << face.bottomLeft();
    p.drawPolygon(depth);
    p.setPen(QPen(QColor(90, 80, 50), 1.0));
    p.setBrush(QColor(250, 244, 226));
    p.drawRoundedRect(face, 2, 2);
}

} // namespace

QImage drawCrab(bool eyesClosed) {
    QImage image(70, 105, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sea(0, 0, 0, 62);
    sea.setColorAt(0, QColor(150, 206, 236));
    sea.setColorAt(1, QColor(58, 140, 196));
    p.fillRect(QRect(0, 0, 70, 62), sea);
    p.setPen(QPen(QColor(214, 238, 250), 1.2));
    for (int y : {22, 38, 52})
        for (int x = 4 + (y % 3) * 6; x < 70; x += 22)
            p.drawArc(QRectF(x, y, 10, 5), 20 * 16, 140 * 16);
    p.fillRect(QRect(0, 62, 70, 43), QColor(232, 210, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 188, 124));
    for (QPointF grain : {QPointF(8, 96), QPointF(20, 101), QPointF(55, 98), QPointF(63, 90),
                          QPointF(12, 70), QPointF(60, 68)})
        p.drawEllipse(grain, 1.2, 1.0);
    p.setBrush(QColor(200, 172, 110));
    p.drawEllipse(QPointF(35, 90), 24, 5);

    const QPointF body(35, 74);
    p.setPen(QPen(kShell.darker(115), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (int side : {-1, 1})
        for (int leg = 0; leg < 3; ++leg) {
            const QPointF hip = body + QPointF(side * 14, 2 + leg * 3);
            const QPointF knee = hip + QPointF(side * (8 - leg), -3 + leg * 2);
            const QPointF foot = knee + QPointF(side * (3 + leg), 9 - leg);
            p.drawPolyline(QPolygonF() << hip << knee << foot);
        }
    drawClaw(p, body + QPointF(-12, -5), QPointF(12, 42), -1);
    drawClaw(p, body + QPointF(12, -5), QPointF(58, 42), 1);

    p.setPen(QPen(kShellDark, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(body + QPointF(-6, -8), QPointF(29, 55));
    p.drawLine(body + QPointF(6, -8), QPointF(41, 55));

    QRadialGradient shell(body + QPointF(-5, -5), 24);
    shell.setColorAt(0, kShellLight);
    shell.setColorAt(1, kShell);
    p.setPen(QPen(kShellDark, 1.4));
    p.setBrush(shell);
    p.drawEllipse(body, 19, 12);
    p.setPen(QPen(kShellDark, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(body.x() - 5, body.y() - 1, 10, 6), 200 * 16, 140 * 16);

    drawEye(p, QPointF(29, 53), eyesClosed);
    drawEye(p, QPointF(41, 53), eyesClosed);
    return image;
}

QImage drawProgramIcon() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawIconTile(p, QRectF(5.5, 1.5, 17, 24), QColor(47, 122, 76));
    drawIconTile(p, QRectF(13.5, 5.5, 17, 24), QColor(47, 122, 76));
    p.setPen(QPen(QColor(120, 30, 20), 0.8));
    p.setBrush(QColor(184, 50, 42));
    p.drawEllipse(QPointF(22, 12.5), 3.6, 3.6);
    p.setBrush(QColor(31, 78, 154));
    p.drawEllipse(QPointF(22, 22.5), 3.6, 3.6);
    return image;
}

QImage drawPausedIcon() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawIconTile(p, QRectF(8.5, 2.5, 20, 27), QColor(47, 122, 76));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 120, 20));
    p.drawRoundedRect(QRectF(12.5, 8, 4.5, 16), 1, 1);
    p.drawRoundedRect(QRectF(20, 8, 4.5, 16), 1, 1);
    return image;
}

QImage drawPointingHand() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // Monochrome: no smoothing, so every pixel is black, white or clear.
    QPainterPath hand;
    hand.moveTo(6.5, 3);
    hand.quadTo(8, 0.5, 9.5, 3);
    hand.lineTo(10, 11);
    hand.quadTo(11.5, 9.5, 13, 11);
    hand.lineTo(13.5, 12.5);
    hand.quadTo(15, 11, 16.5, 12.5);
    hand.lineTo(17, 13.5);
    hand.quadTo(18.5, 12, 20, 13.5);
    hand.lineTo(21, 19);
    hand.quadTo(21, 25, 18, 27.5);
    hand.lineTo(9.5, 27.5);
    hand.quadTo(6, 23, 3, 18);
    hand.quadTo(2, 15.5, 4.5, 15.5);
    hand.lineTo(6.5, 17.5);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.drawLine(QPointF(13, 13), QPointF(13, 16));
    p.drawLine(QPointF(16.5, 14), QPointF(16.5, 17));
    p.drawRect(QRectF(9, 27.5, 10, 3));
    // The hot spot pixel is the black tip of the finger.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRect(8, 1, 1, 1));
    return image;
}

std::string writeProgramArt(const QString& folder) {
    if (!QDir().mkpath(folder))
        return "cannot create " + folder.toStdString();
    std::vector<QString> compiledIn;
    std::string failed;
    auto save = [&](const QString& name, const std::vector<std::uint8_t>& bytes,
                    bool inProgram = true) {
        QFile file(folder + "/" + name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
            failed = "cannot write " + (folder + "/" + name).toStdString();
        if (inProgram)
            compiledIn.push_back(name);
    };
    auto png = [](const QImage& image) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    };

    save("krab_1.asc", encodeAsc(bmp8(drawCrab(false))));
    save("krab_2.asc", encodeAsc(bmp8(drawCrab(true))));
    save("icon_128.ico", iconFile(drawProgramIcon(), {4, 8}));
    save("icon_128.png", png(drawProgramIcon()));
    save("icon_164.ico", iconFile(drawPausedIcon(), {4, 8}));
    save("icon_164.png", png(drawPausedIcon()));
    save("cursor_138.cur", cursorFile(drawPointingHand(), QPoint(8, 1)));
    save("cursor_138.png", png(drawPointingHand()));
    // For desktops: every size goes to the icon theme; the window icon takes all but 32, which
    // the icon file above already gives.
    for (int size : kDesktopIconSizes)
        save(QString("tessalo2_%1.png").arg(size), png(drawDesktopIcon(size)), size != 32);
    const QByteArray svg = desktopIconSvg();
    save("tessalo2.svg", std::vector<std::uint8_t>(svg.begin(), svg.end()), false);

    QString qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/\">\n";
    for (const QString& name : compiledIn)
        qrc += "        <file>" + name + "</file>\n";
    qrc += "    </qresource>\n</RCC>\n";
    const QByteArray qrcBytes = qrc.toUtf8();
    save("resources.qrc", std::vector<std::uint8_t>(qrcBytes.begin(), qrcBytes.end()), false);
    return failed;
}

} // namespace tessalo::art
