#include "tools/art/skin_images.h"

#include "platform/byte_writer.h"
#include "tools/art/stroke_font.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>
#include <span>

namespace tessalo::art {
namespace {

QPolygonF cellOutline() {
    static const QPointF corners[] = {{7, 0},   {18, 0},  {21, 3},  {22, 3},  {25, 6},  {25, 20},
                                      {22, 23}, {25, 26}, {25, 40}, {21, 44}, {20, 44}, {17, 47},
                                      {8, 47},  {5, 44},  {4, 44},  {0, 40},  {0, 26},  {3, 23},
                                      {0, 20},  {0, 6},   {3, 3},   {4, 3}};
    return QPolygonF(QList<QPointF>(std::begin(corners), std::end(corners)));
}

// Segments a to g (top, upper right, lower right, bottom, lower left, upper left, middle), each a
// pointed bar along the ring between the cell's outline and its two holes.
QPolygonF segment(int index) {
    auto horizontal = [](double y, double x0, double x1) {
        const double t = 2.6;
        QPolygonF bar;
        bar << QPointF(x0, y) << QPointF(x0 + t, y - t) << QPointF(x1 - t, y - t) << QPointF(x1, y)
            << QPointF(x1 - t, y + t) << QPointF(x0 + t, y + t);
        return bar;
    };
    auto vertical = [](double x, double y0, double y1) {
        const double t = 2.6;
        QPolygonF bar;
        bar << QPointF(x, y0) << QPointF(x + t, y0 + t) << QPointF(x + t, y1 - t) << QPointF(x, y1)
            << QPointF(x - t, y1 - t) << QPointF(x - t, y0 + t);
        return bar;
    };
    switch (index) {
    case 0:
        return horizontal(3.5, 4.6, 20.6);
    case 1:
        return vertical(21.6, 4.6, 22.6);
    case 2:
        return vertical(21.6, 24.4, 42.4);
    case 3:
        return horizontal(43.6, 4.6, 20.6);
    case 4:
        return vertical(3.4, 24.4, 42.4);
    case 5:
        return vertical(3.4, 4.6, 22.6);
    default:
        return horizontal(23.5, 4.6, 20.6);
    }
}

constexpr unsigned kSegmentsOf[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void drawCell(QPainter& p, const SetParams& params, QPointF at, unsigned lit) {
    p.save();
    p.translate(at);
    p.setPen(Qt::NoPen);
    p.setBrush(params.colour("digit.bezel"));
    p.drawPolygon(cellOutline());
    for (int s = 0; s < 7; ++s) {
        const bool on = (lit >> s & 1) != 0;
        p.setBrush(params.colour(on ? "digit.lit" : "digit.unlit"));
        p.drawPolygon(segment(s));
    }
    p.restore();
}

QImage drawFace(const SetParams& params, std::span<const int> cellX, int factor) {
    QImage image(factor * (cellX.back() + kDigitWidth), factor * kDigitHeight,
                 QImage::Format_RGB32);
    image.fill(params.colour("digit.bezel"));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(factor, factor);
    for (int x : cellX)
        drawCell(p, params, QPointF(x, 0), 0);
    return image;
}

void drawButtonIcon(QPainter& p, int button, QRectF box, const QColor& ink) {
    const QPointF c = box.center();
    p.save();
    p.setPen(QPen(ink, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (button) {
    case 0: { // a new deal: a circling arrow
        const QRectF ring(c.x() - 8, c.y() - 8, 16, 16);
        p.drawArc(ring, 100 * 16, 290 * 16);
        QPolygonF head;
        head << c + QPointF(-3.5, -12.5) << c + QPointF(4, -8.2) << c + QPointF(-3, -3.6);
        p.setPen(QPen(ink, 1.0));
        p.setBrush(ink);
        p.drawPolygon(head);
        break;
    }
    case 1: // pause: two bars
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(c.x() - 7.5, c.y() - 9, 5.5, 18), 1.2, 1.2);
        p.drawRoundedRect(QRectF(c.x() + 2, c.y() - 9, 5.5, 18), 1.2, 1.2);
        break;
    case 2: // help: a question mark
        p.drawPath(strokeText("?", QPointF(c.x() - 6, c.y() - 9), 3.0));
        break;
    default: { // leave: a door with an arrow out of it
        p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawPolyline(QPolygonF()
                       << c + QPointF(1, -5) << c + QPointF(1, -10) << c + QPointF(-10, -10)
                       << c + QPointF(-10, 10) << c + QPointF(1, 10) << c + QPointF(1, 5));
        p.setPen(QPen(ink, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(c + QPointF(-4, 0), c + QPointF(7, 0));
        QPolygonF head;
        head << c + QPointF(11, 0) << c + QPointF(5, -5.5) << c + QPointF(5, 5.5);
        p.setPen(QPen(ink, 1.0));
        p.setBrush(ink);
        p.drawPolygon(head);
        break;
    }
    }
    p.restore();
}

} // namespace

QImage drawBase(const SetParams& params, int factor) {
    QImage image(factor * 52, factor * 77, QImage::Format_RGB32);
    image.fill(params.colour("side.outer"));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(factor, factor);
    p.setPen(Qt::NoPen);
    auto quad = [&](std::initializer_list<QPointF> corners, const QColor& colour) {
        p.setBrush(colour);
        p.drawPolygon(QPolygonF(QList<QPointF>(corners)));
    };
    const QColor inner = params.colour("side.inner");
    const QColor outer = params.colour("side.outer");
    // The face covers (7, 0) to (52, 70); fill it too so a face that failed to load still
    // shows a tile.
    quad({{7, 0}, {52, 0}, {52, 70}, {7, 70}}, params.colour("face.bottom"));
    quad({{7, 0}, {7, 70}, {4, 73}, {4, 3}}, inner);
    quad({{4, 3}, {4, 73}, {0, 77}, {0, 7}}, outer);
    quad({{7, 70}, {52, 70}, {49, 73}, {4, 73}}, inner.darker(112));
    quad({{4, 73}, {49, 73}, {45, 77}, {0, 77}}, outer.darker(120));
    p.setPen(QPen(outer.darker(170), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(0.5, 7), QPointF(0.5, 76.5));
    p.drawLine(QPointF(0.5, 76.5), QPointF(45, 76.5));
    return image;
}

QImage drawBackground(const SetParams& params, int factor) {
    QImage image(factor * 800, factor * 600, QImage::Format_RGB32);
    QPainter p(&image);
    p.scale(factor, factor);
    QLinearGradient gradient(0, 0, 0, 600);
    gradient.setColorAt(0, params.colour("background.top"));
    gradient.setColorAt(1, params.colour("background.bottom"));
    p.fillRect(QRect(0, 0, 800, 600), gradient);
    // A faint lattice with a period that divides the width, so rows repeat and compress well.
    p.setPen(QPen(params.colour("background.lattice"), 1.0));
    for (int x = -600; x < 800; x += 40) {
        p.drawLine(x, 0, x + 600, 600);
        p.drawLine(x + 600, 0, x, 600);
    }
    // The rail along the top that holds the buttons, above the highest row of tiles.
    p.fillRect(QRect(0, 0, 800, 23), params.colour("background.rail"));
    p.setPen(QPen(params.colour("background.frame"), 1.0));
    p.drawLine(0, 23, 799, 23);
    p.drawRect(QRect(3, 23, 793, 573));
    return image;
}

QImage drawButton(const SetParams& params, const QImage& background, int button, bool down,
                  int factor) {
    const QPoint at = params.buttonPositions[button];
    QImage image = background.copy(QRect(at * factor, params.buttonSize * factor));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(factor, factor);
    const QRectF plate = QRectF(QPointF(0, 0), params.buttonSize).adjusted(1, 1, -1, -1);
    QLinearGradient gradient(plate.topLeft(), plate.bottomLeft());
    gradient.setColorAt(0, params.colour(down ? "button.down.top" : "button.top"));
    gradient.setColorAt(1, params.colour(down ? "button.down.bottom" : "button.bottom"));
    p.setPen(QPen(params.colour("button.edge"), 1.5));
    p.setBrush(gradient);
    const double radius = std::min(6.0, plate.height() / 3);
    p.drawRoundedRect(plate, radius, radius);
    if (!down) {
        p.setPen(QPen(params.colour("button.shine"), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(plate.adjusted(2, 2, -2, -2), radius - 1.5, radius - 1.5);
    }
    // Icon on the left, word on the right; a pressed button moves its ink one pixel down-right.
    const QPointF shift = down ? QPointF(1, 1) : QPointF(0, 0);
    const QColor ink = params.colour(down ? "button.down.ink" : "button.ink");
    const double h = params.buttonSize.height();
    const double iconScale = (h - 4) / 24;
    p.save();
    p.translate(QPointF(3 + h / 2, h / 2) + shift);
    p.scale(iconScale, iconScale);
    drawButtonIcon(p, button, QRectF(-15, -15, 30, 30), ink);
    p.restore();
    static const char* labels[] = {"START", "PAUSE", "HELP", "EXIT"};
    const double unit = std::min(1.6, (h - 8) / kGlyphHeight);
    const double textLeft = 6 + h;
    const QPointF labelAt(
        textLeft +
            (params.buttonSize.width() - 4 - textLeft - strokeTextWidth(labels[button], unit)) / 2,
        (h - kGlyphHeight * unit) / 2);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(strokeText(labels[button], labelAt + shift, unit));
    return image;
}

QImage drawClockFace(const SetParams& params, int factor) {
    return drawFace(params, kClockCellX, factor);
}

QImage drawIndicatorFace(const SetParams& params, int factor) {
    return drawFace(params, kIndicatorCellX, factor);
}

QImage drawDigit(const SetParams& params, int digit, int factor) {
    QImage image(factor * kDigitWidth, factor * kDigitHeight, QImage::Format_RGB32);
    image.fill(params.colour("digit.bezel"));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(factor, factor);
    drawCell(p, params, QPointF(0, 0), kSegmentsOf[digit]);
    return image;
}

std::vector<std::uint8_t> pairSound(const SetParams& params) {
    const int rate = params.soundRate;
    const int samples = rate * params.soundMilliseconds / 1000;
    std::vector<std::uint8_t> pcm;
    pcm.reserve(static_cast<std::size_t>(samples));
    const double secondStart = 0.045;
    for (int i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double attack = std::min(1.0, t / 0.004);
        const double fade = std::min(1.0, (samples - i) / (0.01 * rate));
        double value =
            std::exp(-t / 0.05) * std::sin(2 * std::numbers::pi * params.soundTones[0] * t);
        if (t >= secondStart) {
            const double u = t - secondStart;
            value += 0.9 * std::exp(-u / 0.06) *
                     std::sin(2 * std::numbers::pi * params.soundTones[1] * u);
        }
        const double level = 0.45 * attack * fade * value;
        pcm.push_back(
            static_cast<std::uint8_t>(std::lround(128 + 127 * std::clamp(level, -1.0, 1.0))));
    }
    std::vector<std::uint8_t> out;
    auto tag = [&](const char* four) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(four[i]));
    };
    tag("RIFF");
    appendU32(out, static_cast<std::uint32_t>(36 + pcm.size() + pcm.size() % 2));
    tag("WAVE");
    tag("fmt ");
    appendU32(out, 16);
    appendU16(out, 1); // PCM
    appendU16(out, 1); // mono
    appendU32(out, static_cast<std::uint32_t>(rate));
    appendU32(out, static_cast<std::uint32_t>(rate)); // bytes per second
    appendU16(out, 1);                                // block align
    appendU16(out, 8);                                // bits per sample
    tag("data");
    appendU32(out, static_cast<std::uint32_t>(pcm.size()));
    out.insert(out.end(), pcm.begin(), pcm.end());
    if (pcm.size() % 2 != 0)
        out.push_back(0);
    return out;
}

} // namespace tessalo::art
