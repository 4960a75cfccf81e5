#include "tools/art/tile_faces.h"

#include "tools/art/stroke_font.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace tessalo::art {
namespace {

constexpr int kFaceWidth = 45;
constexpr int kFaceHeight = 70;
constexpr int kTileWidth = 52;
constexpr int kTileHeight = 77;
constexpr int kSide = 7;

struct Canvas {
    QPainter& p;
    QRectF face;
    const SetParams& params;
    bool bold;

    QColor colour(const std::string& key) const { return params.colour(key); }
    QPointF centre() const { return face.center(); }
};

QPen roundPen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void strokeLabel(Canvas& c, std::string_view text, QPointF topLeft, double unit, double width,
                 const QColor& colour) {
    c.p.save();
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(roundPen(colour, width));
    c.p.drawPath(strokeText(text, topLeft, unit));
    c.p.restore();
}

void strokeCentred(Canvas& c, std::string_view text, QPointF centreTop, double unit, double width,
                   const QColor& colour) {
    strokeLabel(c, text, {centreTop.x() - strokeTextWidth(text, unit) / 2, centreTop.y()}, unit,
                width, colour);
}

// ----- symbols --------------------------------------------------------------------------------

void dot(Canvas& c, QPointF centre, double r, const QColor& colour) {
    c.p.save();
    if (c.bold) {
        c.p.setPen(QPen(colour.darker(160), 1.2));
        c.p.setBrush(colour);
        c.p.drawEllipse(centre, r, r);
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(QColor(255, 255, 255));
        c.p.drawEllipse(centre, r * 0.3, r * 0.3);
    } else {
        c.p.setPen(QPen(colour.darker(140), 0.8));
        c.p.setBrush(colour);
        c.p.drawEllipse(centre, r, r);
        c.p.setPen(QPen(c.colour("face.top"), r * 0.16));
        c.p.setBrush(Qt::NoBrush);
        c.p.drawEllipse(centre, r * 0.62, r * 0.62);
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(colour.lighter(130));
        c.p.drawEllipse(centre, r * 0.28, r * 0.28);
    }
    c.p.restore();
}

void stick(Canvas& c, QPointF centre, double w, double h, const QColor& colour) {
    const QRectF body(centre.x() - w / 2, centre.y() - h / 2, w, h);
    c.p.save();
    c.p.setPen(QPen(colour.darker(170), c.bold ? 1.2 : 0.8));
    c.p.setBrush(colour);
    c.p.drawRoundedRect(body, w / 2, w / 2.5);
    c.p.setPen(QPen(colour.darker(170), c.bold ? 1.4 : 1.0));
    for (double f : {1.0 / 3, 2.0 / 3}) {
        const double y = body.top() + f * h;
        c.p.drawLine(QPointF(body.left() + 0.5, y), QPointF(body.right() - 0.5, y));
    }
    if (!c.bold) {
        c.p.setPen(QPen(colour.lighter(150), 0.9));
        c.p.drawLine(QPointF(centre.x(), body.top() + 2), QPointF(centre.x(), body.bottom() - 2));
    }
    c.p.restore();
}

void seal(Canvas& c, QPointF centre, double size) {
    const QColor ink = c.colour("characters.mark");
    const QRectF box(centre.x() - size / 2, centre.y() - size / 2, size, size);
    c.p.save();
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(ink);
    c.p.drawRoundedRect(box, size * 0.18, size * 0.18);
    const QColor paper = c.colour("face.top");
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(QPen(paper, std::max(1.0, size * 0.07)));
    c.p.drawRect(box.adjusted(size * 0.17, size * 0.17, -size * 0.17, -size * 0.17));
    QPolygonF diamond;
    const double d = size * 0.2;
    diamond << centre + QPointF(0, -d) << centre + QPointF(d, 0) << centre + QPointF(0, d)
            << centre + QPointF(-d, 0);
    c.p.setBrush(paper);
    c.p.setPen(Qt::NoPen);
    c.p.drawPolygon(diamond);
    c.p.restore();
}

void arrow(Canvas& c, QPointF centre, double length, double angleDegrees, const QColor& colour,
           double width) {
    c.p.save();
    c.p.translate(centre);
    c.p.rotate(angleDegrees);
    c.p.setPen(roundPen(colour, width));
    c.p.drawLine(QPointF(-length / 2, 0), QPointF(length / 2 - width, 0));
    QPolygonF head;
    head << QPointF(length / 2 + width * 0.4, 0)
         << QPointF(length / 2 - length * 0.38, -length * 0.3)
         << QPointF(length / 2 - length * 0.38, length * 0.3);
    c.p.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.p.setBrush(colour);
    c.p.drawPolygon(head);
    c.p.restore();
}

// ----- arrangements ---------------------------------------------------------------------------

struct Spot {
    double x, y;
    int colour; // 0, 1 or 2: which of the suit's three inks
};

std::vector<Spot> dotSpots(int n) {
    switch (n) {
    case 1:
        return {{0.5, 0.5, 1}};
    case 2:
        return {{0.5, 0.25, 0}, {0.5, 0.75, 2}};
    case 3:
        return {{0.22, 0.17, 0}, {0.5, 0.5, 1}, {0.78, 0.83, 2}};
    case 4:
        return {{0.26, 0.27, 0}, {0.74, 0.27, 2}, {0.26, 0.73, 2}, {0.74, 0.73, 0}};
    case 5:
        return {{0.24, 0.2, 0}, {0.76, 0.2, 2}, {0.5, 0.5, 1}, {0.24, 0.8, 2}, {0.76, 0.8, 0}};
    case 6:
        return {{0.27, 0.17, 2}, {0.73, 0.17, 2}, {0.27, 0.52, 1},
                {0.73, 0.52, 1}, {0.27, 0.85, 1}, {0.73, 0.85, 1}};
    case 7:
        return {{0.2, 0.1, 2},  {0.5, 0.22, 2},  {0.8, 0.34, 2}, {0.27, 0.6, 1},
                {0.73, 0.6, 1}, {0.27, 0.88, 1}, {0.73, 0.88, 1}};
    case 8:
        return {{0.27, 0.11, 0}, {0.73, 0.11, 0}, {0.27, 0.37, 0}, {0.73, 0.37, 0},
                {0.27, 0.63, 0}, {0.73, 0.63, 0}, {0.27, 0.89, 0}, {0.73, 0.89, 0}};
    default:
        return {{0.2, 0.17, 0}, {0.5, 0.17, 0}, {0.8, 0.17, 0}, {0.2, 0.5, 1}, {0.5, 0.5, 1},
                {0.8, 0.5, 1},  {0.2, 0.83, 2}, {0.5, 0.83, 2}, {0.8, 0.83, 2}};
    }
}

double dotRadius(int n) {
    static const double radii[] = {0, 0.36, 0.22, 0.18, 0.19, 0.17, 0.15, 0.13, 0.125, 0.14};
    return radii[n];
}

std::vector<Spot> stickSpots(int n) {
    switch (n) {
    case 1:
        return {{0.5, 0.5, 0}};
    case 2:
        return {{0.5, 0.26, 0}, {0.5, 0.74, 0}};
    case 3:
        return {{0.5, 0.26, 0}, {0.3, 0.74, 0}, {0.7, 0.74, 0}};
    case 4:
        return {{0.3, 0.26, 0}, {0.7, 0.26, 0}, {0.3, 0.74, 0}, {0.7, 0.74, 0}};
    case 5:
        return {{0.2, 0.26, 0}, {0.8, 0.26, 0}, {0.5, 0.5, 1}, {0.2, 0.74, 0}, {0.8, 0.74, 0}};
    case 6:
        return {{0.2, 0.26, 0}, {0.5, 0.26, 0}, {0.8, 0.26, 0},
                {0.2, 0.74, 0}, {0.5, 0.74, 0}, {0.8, 0.74, 0}};
    case 7:
        return {{0.5, 0.17, 1}, {0.2, 0.5, 0},  {0.5, 0.5, 0}, {0.8, 0.5, 0},
                {0.2, 0.83, 0}, {0.5, 0.83, 0}, {0.8, 0.83, 0}};
    case 8:
        return {{0.14, 0.26, 0}, {0.38, 0.26, 0}, {0.62, 0.26, 0}, {0.86, 0.26, 0},
                {0.14, 0.74, 0}, {0.38, 0.74, 0}, {0.62, 0.74, 0}, {0.86, 0.74, 0}};
    default:
        return {{0.2, 0.17, 0}, {0.5, 0.17, 1}, {0.8, 0.17, 0}, {0.2, 0.5, 0}, {0.5, 0.5, 1},
                {0.8, 0.5, 0},  {0.2, 0.83, 0}, {0.5, 0.83, 1}, {0.8, 0.83, 0}};
    }
}

QColor suitInk(const Canvas& c, const std::string& suit, int which) {
    return c.colour(suit + "." + std::to_string(which + 1));
}

// ----- the faces ------------------------------------------------------------------------------

// The area the count pattern fills, and in the bold style the big rank in the corner.
QRectF patternArea(Canvas& c, int rank) {
    if (!c.bold)
        return c.face.adjusted(5, 6, -5, -6);
    strokeLabel(c, std::to_string(rank), c.face.topLeft() + QPointF(4, 4), 3.3, 3.2,
                c.colour("rank"));
    return c.face.adjusted(6, 30, -6, -5);
}

void drawDots(Canvas& c, int rank) {
    const QRectF area = patternArea(c, rank);
    if (c.bold)
        dot(c, c.face.topLeft() + QPointF(32, 14), 8.5, suitInk(c, "dots", 1));
    const double r = dotRadius(rank) * area.width() * (c.bold ? 0.78 : 1.0);
    for (const Spot& s : dotSpots(rank))
        dot(c, QPointF(area.left() + s.x * area.width(), area.top() + s.y * area.height()), r,
            suitInk(c, "dots", s.colour));
    if (rank == 1 && !c.bold) {
        c.p.save();
        c.p.setBrush(Qt::NoBrush);
        c.p.setPen(QPen(suitInk(c, "dots", 0), 1.4));
        c.p.drawEllipse(area.center(), r + 3, r + 3);
        c.p.restore();
    }
}

void drawSingleBamboo(Canvas& c, QRectF area) {
    const QColor green = suitInk(c, "bamboo", 0);
    const QPointF mid = area.center();
    c.p.save();
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(green.lighter(115));
    for (int side : {-1, 1}) {
        c.p.save();
        c.p.translate(mid + QPointF(side * 6, -4 + side * 8));
        c.p.rotate(side * 35);
        c.p.drawEllipse(QPointF(0, 0), 4.5, 11);
        c.p.restore();
    }
    c.p.restore();
    stick(c, mid, 9, area.height() * 0.9, green);
    c.p.save();
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(suitInk(c, "bamboo", 1));
    c.p.drawEllipse(QPointF(mid.x(), area.top() + area.height() * 0.05), 4, 4);
    c.p.restore();
}

void drawBamboo(Canvas& c, int rank) {
    const QRectF area = patternArea(c, rank);
    if (c.bold)
        stick(c, c.face.topLeft() + QPointF(32, 14), 7, 22, suitInk(c, "bamboo", 0));
    if (rank == 1 && !c.bold) {
        drawSingleBamboo(c, area);
        return;
    }
    const double rows = rank == 1 ? 1.2 : (rank == 7 || rank == 9) ? 3 : 2;
    const double h = area.height() / rows * 0.86;
    const double w = rank == 8 ? area.width() * 0.16 : area.width() * (rank == 1 ? 0.26 : 0.19);
    for (const Spot& s : stickSpots(rank))
        stick(c, QPointF(area.left() + s.x * area.width(), area.top() + s.y * area.height()), w, h,
              suitInk(c, "bamboo", s.colour));
}

void drawCharacters(Canvas& c, int rank) {
    if (c.bold) {
        strokeLabel(c, std::to_string(rank), c.face.topLeft() + QPointF(4, 4), 3.3, 3.2,
                    c.colour("rank"));
        seal(c, c.face.topLeft() + QPointF(32, 14), 17);
        strokeCentred(c, std::to_string(rank), c.face.topLeft() + QPointF(22.5, 31), 5.2, 4.4,
                      c.colour("characters.numeral"));
        return;
    }
    strokeCentred(c, std::to_string(rank), c.face.topLeft() + QPointF(22.5, 7), 4.2, 3.4,
                  c.colour("characters.numeral"));
    seal(c, c.face.topLeft() + QPointF(22.5, 51), 22);
}

void drawWind(Canvas& c, int rank) {
    static const char* letters[] = {"E", "S", "W", "N"};
    static const double angles[] = {0, 90, 180, 270};
    const double unit = c.bold ? 5.4 : 4.4;
    strokeCentred(c, letters[rank - 1], c.face.topLeft() + QPointF(22.5, c.bold ? 5 : 7), unit,
                  c.bold ? 4.4 : 3.6, c.colour("wind.letter"));
    const QPointF centre = c.face.topLeft() + QPointF(22.5, c.bold ? 54 : 52);
    c.p.save();
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(QPen(c.colour("wind.ring"), c.bold ? 2.0 : 1.2));
    c.p.drawEllipse(centre, 11.5, 11.5);
    c.p.restore();
    arrow(c, centre, 17, angles[rank - 1], c.colour("wind.arrow"), c.bold ? 3.4 : 2.6);
}

void drawDragon(Canvas& c, int rank) {
    const QPointF mid = c.centre();
    c.p.save();
    if (rank == 1) {
        const QColor red = c.colour("dragon.1");
        QPolygonF diamond;
        diamond << mid + QPointF(0, -27) << mid + QPointF(17, 0) << mid + QPointF(0, 27)
                << mid + QPointF(-17, 0);
        c.p.setPen(QPen(red.darker(150), 1.0));
        c.p.setBrush(red);
        c.p.drawPolygon(diamond);
        QPolygonF inner;
        inner << mid + QPointF(0, -17) << mid + QPointF(10, 0) << mid + QPointF(0, 17)
              << mid + QPointF(-10, 0);
        c.p.setPen(QPen(c.colour("face.top"), c.bold ? 2.6 : 1.8));
        c.p.setBrush(Qt::NoBrush);
        c.p.drawPolygon(inner);
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(c.colour("face.top"));
        c.p.drawEllipse(mid, 3.2, 3.2);
    } else if (rank == 2) {
        const QColor green = c.colour("dragon.2");
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(c.colour("dragon.trunk"));
        c.p.drawRect(QRectF(mid.x() - 3, mid.y() + 14, 6, 12));
        c.p.setPen(QPen(green.darker(150), 1.0));
        c.p.setBrush(green);
        for (int tier = 0; tier < 3; ++tier) {
            const double top = mid.y() - 26 + tier * 12;
            const double half = 9 + tier * 4.5;
            QPolygonF triangle;
            triangle << QPointF(mid.x(), top) << QPointF(mid.x() + half, top + 18)
                     << QPointF(mid.x() - half, top + 18);
            c.p.drawPolygon(triangle);
        }
    } else {
        const QColor frame = c.colour("dragon.3");
        const QRectF outer(mid.x() - 15, mid.y() - 26, 30, 52);
        c.p.setBrush(Qt::NoBrush);
        c.p.setPen(QPen(frame, c.bold ? 3.4 : 2.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        c.p.drawRect(outer);
        c.p.setPen(QPen(frame, c.bold ? 2.0 : 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        c.p.drawRect(outer.adjusted(5, 5, -5, -5));
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(frame);
        for (QPointF corner :
             {outer.topLeft(), outer.topRight(), outer.bottomLeft(), outer.bottomRight()})
            c.p.drawRect(QRectF(corner - QPointF(3.5, 3.5), QSizeF(7, 7)));
    }
    c.p.restore();
}

void familyFrame(Canvas& c, const QColor& frame, int rank) {
    c.p.save();
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(QPen(frame, c.bold ? 2.4 : 1.4));
    c.p.drawRoundedRect(c.face.adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);
    c.p.restore();
    const double unit = c.bold ? 2.4 : 1.5;
    strokeLabel(c, std::to_string(rank), c.face.topLeft() + QPointF(6, 6), unit, c.bold ? 2.4 : 1.5,
                frame);
}

void petals(Canvas& c, QPointF centre, int count, double distance, double rx, double ry,
            double startAngle, const QColor& colour) {
    c.p.save();
    c.p.setPen(QPen(colour.darker(c.bold ? 200 : 140), c.bold ? 1.2 : 0.7));
    c.p.setBrush(colour);
    for (int i = 0; i < count; ++i) {
        c.p.save();
        c.p.translate(centre);
        c.p.rotate(startAngle + 360.0 * i / count);
        c.p.drawEllipse(QPointF(0, -distance), rx, ry);
        c.p.restore();
    }
    c.p.restore();
}

void drawFlower(Canvas& c, int rank) {
    familyFrame(c, c.colour("flower.frame"), rank);
    const QPointF bloom = c.face.topLeft() + QPointF(22.5, 29);
    const QColor leaf = c.colour("flower.leaf");
    c.p.save();
    c.p.setPen(roundPen(leaf, 2.2));
    c.p.drawLine(bloom, c.face.topLeft() + QPointF(22.5, 63));
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(leaf);
    for (int side : {-1, 1}) {
        c.p.save();
        c.p.translate(c.face.topLeft() + QPointF(22.5 + side * 6, 52 - side * 3));
        c.p.rotate(side * 55);
        c.p.drawEllipse(QPointF(0, 0), 3, 7);
        c.p.restore();
    }
    c.p.restore();
    const QColor ink = suitInk(c, "flower", rank - 1);
    switch (rank) {
    case 1:
        petals(c, bloom, 5, 7, 6, 6, 0, ink);
        break;
    case 2:
        petals(c, bloom, 4, 7.5, 4.2, 8, 45, ink);
        break;
    case 3:
        petals(c, bloom, 12, 8, 2.2, 6, 0, ink);
        break;
    default:
        petals(c, bloom, 6, 7.5, 3.6, 7, 30, ink);
        break;
    }
    c.p.save();
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(c.colour("flower.heart"));
    c.p.drawEllipse(bloom, 3.4, 3.4);
    c.p.restore();
}

QPainterPath leafPath(double length, double width) {
    QPainterPath path;
    path.moveTo(0, -length / 2);
    path.quadTo(width, 0, 0, length / 2);
    path.quadTo(-width, 0, 0, -length / 2);
    return path;
}

void drawSeason(Canvas& c, int rank) {
    const QColor frame = c.colour("season.frame");
    familyFrame(c, frame, rank);
    const QPointF ground = c.face.topLeft() + QPointF(22.5, 60);
    c.p.save();
    c.p.setPen(roundPen(frame, c.bold ? 2.4 : 1.6));
    c.p.drawLine(ground - QPointF(15, 0), ground + QPointF(15, 0));
    c.p.restore();
    const QPointF centre = c.face.topLeft() + QPointF(22.5, 34);
    const QColor ink = suitInk(c, "season", rank - 1);
    c.p.save();
    switch (rank) {
    case 1: { // a sprout
        c.p.setPen(roundPen(ink.darker(130), 2.4));
        c.p.drawLine(ground, ground - QPointF(0, 30));
        c.p.setPen(QPen(ink.darker(150), 0.8));
        c.p.setBrush(ink);
        for (int side : {-1, 1}) {
            c.p.save();
            c.p.translate(ground + QPointF(side * 7, -22 + side * 4));
            c.p.rotate(side * 60);
            c.p.drawPath(leafPath(17, 9));
            c.p.restore();
        }
        c.p.drawEllipse(ground - QPointF(0, 33), 3.5, 4.5);
        break;
    }
    case 2: { // the sun
        c.p.setPen(roundPen(ink, 2.2));
        for (int i = 0; i < 12; ++i) {
            const double a = i * std::numbers::pi / 6;
            c.p.drawLine(centre + QPointF(std::cos(a) * 11, std::sin(a) * 11),
                         centre + QPointF(std::cos(a) * 16, std::sin(a) * 16));
        }
        c.p.setPen(QPen(ink.darker(140), 1.0));
        c.p.setBrush(ink);
        c.p.drawEllipse(centre, 8.5, 8.5);
        break;
    }
    case 3: { // falling leaves
        c.p.setPen(QPen(ink.darker(160), 1.0));
        c.p.setBrush(ink);
        c.p.save();
        c.p.translate(centre + QPointF(-2, -4));
        c.p.rotate(35);
        const QPainterPath leaf = leafPath(28, 16);
        c.p.drawPath(leaf);
        c.p.setPen(roundPen(ink.darker(170), 1.2));
        c.p.drawLine(QPointF(0, -12), QPointF(0, 17));
        c.p.restore();
        c.p.save();
        c.p.translate(centre + QPointF(9, 17));
        c.p.rotate(-50);
        c.p.setBrush(ink.lighter(120));
        c.p.drawPath(leafPath(12, 7));
        c.p.restore();
        break;
    }
    default: { // a snowflake
        c.p.setPen(roundPen(ink, c.bold ? 2.6 : 2.0));
        for (int i = 0; i < 6; ++i) {
            c.p.save();
            c.p.translate(centre);
            c.p.rotate(60.0 * i);
            c.p.drawLine(QPointF(0, 0), QPointF(0, -15));
            for (double along : {-7.0, -11.0}) {
                c.p.drawLine(QPointF(0, along), QPointF(-4, along - 4));
                c.p.drawLine(QPointF(0, along), QPointF(4, along - 4));
            }
            c.p.restore();
        }
        break;
    }
    }
    c.p.restore();
}

void drawFacePlate(Canvas& c) {
    QLinearGradient gradient(c.face.topLeft(), c.face.bottomRight());
    gradient.setColorAt(0, c.colour("face.top"));
    gradient.setColorAt(1, c.colour("face.bottom"));
    c.p.setPen(QPen(c.colour("face.edge"), c.bold ? 2.0 : 1.0));
    c.p.setBrush(gradient);
    const double inset = c.bold ? 1.0 : 0.5;
    c.p.drawRoundedRect(c.face.adjusted(inset, inset, -inset, -inset), 3, 3);
}

// The tile's left and bottom sides, for a set whose faces are whole tiles.
void drawSides(QPainter& p, const SetParams& params) {
    const QColor inner = params.colour("side.inner");
    const QColor outer = params.colour("side.outer");
    p.setPen(Qt::NoPen);
    auto quad = [&](std::initializer_list<QPointF> corners, const QColor& colour) {
        p.setBrush(colour);
        p.drawPolygon(QPolygonF(QList<QPointF>(corners)));
    };
    quad({{7, 0}, {7, 70}, {3.5, 73.5}, {3.5, 3.5}}, inner);
    quad({{3.5, 3.5}, {3.5, 73.5}, {0, 77}, {0, 7}}, outer);
    quad({{7, 70}, {52, 70}, {48.5, 73.5}, {3.5, 73.5}}, inner.darker(115));
    quad({{3.5, 73.5}, {48.5, 73.5}, {45, 77}, {0, 77}}, outer.darker(115));
}

} // namespace

std::vector<TileKind> tileKinds() {
    std::vector<TileKind> kinds;
    const std::pair<Suit, const char*> numbered[] = {
        {Suit::Dots, "DOTS"}, {Suit::Bamboo, "BAMBOO"}, {Suit::Characters, "CHARACTERS"}};
    for (const auto& [suit, name] : numbered)
        for (int rank = 1; rank <= 9; ++rank)
            kinds.push_back({suit, rank, std::string("IDB_") + name + "_" + std::to_string(rank)});
    const char* winds[] = {"EAST", "SOUTH", "WEST", "NORTH"};
    for (int rank = 1; rank <= 4; ++rank)
        kinds.push_back({Suit::Wind, rank, std::string("IDB_WIND_") + winds[rank - 1]});
    const char* dragons[] = {"RED", "GREEN", "WHITE"};
    for (int rank = 1; rank <= 3; ++rank)
        kinds.push_back({Suit::Dragon, rank, std::string("IDB_DRAGON_") + dragons[rank - 1]});
    for (int rank = 1; rank <= 4; ++rank)
        kinds.push_back({Suit::Flower, rank, "IDB_FLOWER_" + std::to_string(rank)});
    for (int rank = 1; rank <= 4; ++rank)
        kinds.push_back({Suit::Season, rank, "IDB_SEASON_" + std::to_string(rank)});
    return kinds;
}

std::vector<int> pictureOfTile() {
    constexpr int kSingleKinds = 34;
    std::vector<int> map;
    for (int tile = 0; tile < 144; ++tile) {
        const int group = tile / 4;
        if (group < kSingleKinds)
            map.push_back(group);
        else
            map.push_back(kSingleKinds + (group - kSingleKinds) * 4 + tile % 4);
    }
    return map;
}

QImage drawTileFace(const SetParams& params, const TileKind& kind, int factor) {
    const bool whole = !params.hasBase;
    QImage image((whole ? QSize(kTileWidth, kTileHeight) : QSize(kFaceWidth, kFaceHeight)) * factor,
                 QImage::Format_RGB32);
    image.fill(params.colour(whole ? "side.outer" : "face.edge"));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(factor, factor);
    if (whole)
        drawSides(p, params);
    Canvas c{p,
             whole ? QRectF(kSide, 0, kFaceWidth, kFaceHeight)
                   : QRectF(0, 0, kFaceWidth, kFaceHeight),
             params, params.style == "clear"};
    drawFacePlate(c);
    switch (kind.suit) {
    case Suit::Dots:
        drawDots(c, kind.rank);
        break;
    case Suit::Bamboo:
        drawBamboo(c, kind.rank);
        break;
    case Suit::Characters:
        drawCharacters(c, kind.rank);
        break;
    case Suit::Wind:
        drawWind(c, kind.rank);
        break;
    case Suit::Dragon:
        drawDragon(c, kind.rank);
        break;
    case Suit::Flower:
        drawFlower(c, kind.rank);
        break;
    case Suit::Season:
        drawSeason(c, kind.rank);
        break;
    }
    return image;
}

} // namespace tessalo::art
