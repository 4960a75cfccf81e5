#include "tools/art/desktop_icon.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessalo::art {
namespace {

// One drawing, two painters: the raster painter and the vector writer share these shapes.
struct Shape {
    enum class Kind { Polygon, RoundedRect, Ellipse };
    Kind kind = Kind::Polygon;
    QPolygonF points;
    QRectF rect;
    qreal corner = 0;
    QColor fill;
    QColor stroke; // invalid: no outline
    qreal strokeWidth = 0;
};

const QColor kTileSide(47, 122, 76);
const QColor kTileFace(250, 244, 226);
const QColor kTileEdge(90, 80, 50);
const QColor kRedDot(184, 50, 42);
const QColor kBlueDot(31, 78, 154);
const QColor kDotEdge(120, 30, 20);

// Below the design's 32 pixels a plain scale would leave half-pixel strokes and dots as grey
// smudges, so each edge goes to a pixel centre and nothing is thinner than a pixel.
std::vector<Shape> iconShapes(int size, bool hinted) {
    const qreal k = size / 32.0;
    const bool snap = hinted && size < 32;
    const auto edge = [&](qreal v) { return snap ? std::floor(v * k) + 0.5 : v * k; };
    const qreal line = snap ? 1.0 : k;
    const qreal depth = snap ? std::max(1.0, std::round(3 * k)) : 3 * k;
    const qreal corner = snap ? std::max(1.0, std::round(2 * k)) : 2 * k;

    std::vector<Shape> shapes;
    QRectF lastFace;
    for (const QRectF design : {QRectF(5.5, 1.5, 17, 24), QRectF(13.5, 5.5, 17, 24)}) {
        const QRectF face(QPointF(edge(design.left()), edge(design.top())),
                          QPointF(edge(design.right()), edge(design.bottom())));
        const QPointF down(-depth, depth);
        Shape side;
        side.points << face.topLeft() << face.topLeft() + down << face.bottomLeft() + down
                    << face.bottomRight() + down << face.bottomRight() << face.bottomLeft();
        side.fill = kTileSide;
        shapes.push_back(side);
        Shape front;
        front.kind = Shape::Kind::RoundedRect;
        front.rect = face;
        front.corner = corner;
        front.fill = kTileFace;
        front.stroke = kTileEdge;
        front.strokeWidth = line;
        shapes.push_back(front);
        lastFace = face;
    }
    for (const auto& [designCentre, colour] :
         {std::pair{QPointF(22, 12.5), kRedDot}, std::pair{QPointF(22, 22.5), kBlueDot}}) {
        Shape dot;
        dot.kind = Shape::Kind::Ellipse;
        dot.fill = colour;
        if (snap) {
            // Whole pixels: centred on the front tile, a diameter whose parity matches the centre.
            const qreal centreX = lastFace.center().x();
            int diameter = std::max(4, int(std::lround(2 * 3.6 * k)));
            const bool halfCentre = centreX != std::floor(centreX);
            if ((diameter % 2 == 1) != halfCentre)
                ++diameter;
            const qreal y = designCentre.y() * k;
            const qreal centreY = halfCentre ? std::floor(y) + 0.5 : std::round(y);
            dot.rect =
                QRectF(centreX - diameter / 2.0, centreY - diameter / 2.0, diameter, diameter);
        } else {
            const qreal r = 3.6 * k;
            dot.rect = QRectF(designCentre * k - QPointF(r, r), QSizeF(2 * r, 2 * r));
            dot.stroke = kDotEdge;
            dot.strokeWidth = 0.8 * k;
        }
        shapes.push_back(dot);
    }
    return shapes;
}

QString svgColour(const QColor& colour) {
    return colour.name(QColor::HexRgb);
}

QString number(qreal v) {
    return QString::number(v, 'g', 6);
}

} // namespace

QImage drawDesktopIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Shape& shape : iconShapes(size, true)) {
        p.setPen(shape.stroke.isValid() ? QPen(shape.stroke, shape.strokeWidth) : QPen(Qt::NoPen));
        p.setBrush(shape.fill);
        switch (shape.kind) {
        case Shape::Kind::Polygon:
            p.drawPolygon(shape.points);
            break;
        case Shape::Kind::RoundedRect:
            p.drawRoundedRect(shape.rect, shape.corner, shape.corner);
            break;
        case Shape::Kind::Ellipse:
            p.drawEllipse(shape.rect);
            break;
        }
    }
    return image;
}

QByteArray desktopIconSvg() {
    QString svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                  "viewBox=\"0 0 32 32\">\n";
    for (const Shape& shape : iconShapes(32, false)) {
        QString paint = " fill=\"" + svgColour(shape.fill) + "\"";
        if (shape.stroke.isValid())
            paint += " stroke=\"" + svgColour(shape.stroke) + "\" stroke-width=\"" +
                     number(shape.strokeWidth) + "\"";
        switch (shape.kind) {
        case Shape::Kind::Polygon: {
            QStringList points;
            for (const QPointF& point : shape.points)
                points << number(point.x()) + "," + number(point.y());
            svg += "  <polygon points=\"" + points.join(' ') + "\"" + paint + "/>\n";
            break;
        }
        case Shape::Kind::RoundedRect:
            svg += "  <rect x=\"" + number(shape.rect.x()) + "\" y=\"" + number(shape.rect.y()) +
                   "\" width=\"" + number(shape.rect.width()) + "\" height=\"" +
                   number(shape.rect.height()) + "\" rx=\"" + number(shape.corner) + "\"" + paint +
                   "/>\n";
            break;
        case Shape::Kind::Ellipse:
            svg += "  <ellipse cx=\"" + number(shape.rect.center().x()) + "\" cy=\"" +
                   number(shape.rect.center().y()) + "\" rx=\"" + number(shape.rect.width() / 2) +
                   "\" ry=\"" + number(shape.rect.height() / 2) + "\"" + paint + "/>\n";
            break;
        }
    }
    svg += "</svg>\n";
    return svg.toUtf8();
}

} // namespace tessalo::art
