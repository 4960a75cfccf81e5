#include "tools/art/contact_sheet.h"

#include "game/deal_random.h"
#include "platform/pe_module.h"
#include "skin/asc_decoder.h"
#include "skin/bmp_image.h"
#include "skin/pictures_module.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <optional>

namespace tessalo::art {
namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr QPoint kOrigin((kScreenWidth - 800) / 2, (kScreenHeight - 600) / 2);

QImage toImage(const BmpImage& bmp) {
    QImage image(bmp.width, bmp.height, QImage::Format_RGB32);
    for (int y = 0; y < bmp.height; ++y)
        std::copy_n(bmp.pixels.begin() + static_cast<std::ptrdiff_t>(y) * bmp.width, bmp.width,
                    reinterpret_cast<QRgb*>(image.scanLine(y)));
    return image;
}

std::optional<QImage> ascImage(const PeModule& module, const std::string& name) {
    const auto bytes = module.findResource(kAscBitmapType, name);
    if (!bytes)
        return std::nullopt;
    const auto decoded = decodeAsc(*bytes);
    if (!decoded)
        return std::nullopt;
    const auto bmp = parseBmp(*decoded);
    if (!bmp)
        return std::nullopt;
    return toImage(*bmp);
}

std::optional<QImage> plainBitmap(const PeModule& module, const std::string& name) {
    const auto bytes = module.loadBitmap(name);
    if (!bytes)
        return std::nullopt;
    const auto bmp = parseDib(*bytes);
    if (!bmp)
        return std::nullopt;
    return toImage(*bmp);
}

QPolygonF tileOutline(QPointF at) {
    QPolygonF outline;
    for (QPointF corner : {QPointF(7, 0), QPointF(52, 0), QPointF(52, 69), QPointF(44, 77),
                           QPointF(0, 77), QPointF(0, 7)})
        outline << at + corner;
    return outline;
}

QPainterPath cellsPath(QPointF at, std::span<const int> cellX) {
    static const QPointF corners[] = {{7, 0},   {18, 0},  {21, 3},  {22, 3},  {25, 6},  {25, 20},
                                      {22, 23}, {25, 26}, {25, 40}, {21, 44}, {20, 44}, {17, 47},
                                      {8, 47},  {5, 44},  {4, 44},  {0, 40},  {0, 26},  {3, 23},
                                      {0, 20},  {0, 6},   {3, 3},   {4, 3}};
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (int x : cellX) {
        QPolygonF cell;
        for (QPointF corner : corners)
            cell << at + QPointF(x, 0) + corner;
        cell << cell.front();
        path.addPolygon(cell);
        path.addRect(QRectF(at + QPointF(x + 7, 7), QSizeF(11, 13)));
        path.addRect(QRectF(at + QPointF(x + 7, 27), QSizeF(11, 13)));
    }
    return path;
}

struct Labelled {
    std::string name;
    QImage image;
};

} // namespace

std::variant<QImage, std::string> renderContactSheet(const std::vector<std::uint8_t>& moduleBytes,
                                                     const LayoutRecord& layout, std::uint32_t seed,
                                                     std::vector<std::string>& notes) {
    auto parsed = PeModule::parse(moduleBytes);
    if (auto* error = std::get_if<std::string>(&parsed))
        return *error;
    const PeModule& module = std::get<PeModule>(parsed);
    auto read = readPicturesCatalogue(module);
    if (auto* error = std::get_if<std::string>(&read))
        return *error;
    const PicturesCatalogue& catalogue = std::get<PicturesCatalogue>(read);

    std::vector<Labelled> gallery;
    auto need = [&](std::optional<QImage> image, const std::string& name) -> QImage {
        if (!image) {
            notes.push_back(name + " does not decode");
            return QImage();
        }
        gallery.push_back({name, *image});
        return *image;
    };
    std::vector<QImage> pictures;
    for (const std::string& name : catalogue.pictureNames)
        pictures.push_back(need(ascImage(module, name), name));
    const std::optional<QImage> base =
        catalogue.hasBase ? std::optional(need(ascImage(module, kBaseName), kBaseName))
                          : std::nullopt;
    const QImage background = need(ascImage(module, kBackgroundName), kBackgroundName);
    gallery.pop_back(); // shown as the board itself
    const QImage clock = need(ascImage(module, kClockName), kClockName);
    const QImage indicator = need(ascImage(module, kIndicatorName), kIndicatorName);
    std::vector<QImage> digits;
    for (int digit = 0; digit <= 9; ++digit)
        digits.push_back(need(ascImage(module, digitBitmapName(digit)), digitBitmapName(digit)));
    std::vector<QImage> buttons;
    for (PictureButton button : kPictureButtons) {
        buttons.push_back(need(plainBitmap(module, buttonBitmapName(button, false)),
                               buttonBitmapName(button, false)));
        need(plainBitmap(module, buttonBitmapName(button, true)), buttonBitmapName(button, true));
    }
    if (!notes.empty())
        return notes.front();

    // Lay the gallery out in rows under the screen.
    constexpr int kCellWidth = 112;
    constexpr int kLabelHeight = 16;
    int x = 8, y = kScreenHeight + 12, rowHeight = 0;
    std::vector<QPoint> places;
    for (const Labelled& item : gallery) {
        const int width = std::max(kCellWidth, item.image.width() + 8);
        if (x + width > kScreenWidth) {
            x = 8;
            y += rowHeight + kLabelHeight + 8;
            rowHeight = 0;
        }
        places.push_back(QPoint(x, y));
        x += width;
        rowHeight = std::max(rowHeight, item.image.height());
    }
    QImage sheet(kScreenWidth, y + rowHeight + kLabelHeight + 12, QImage::Format_RGB32);
    sheet.fill(QColor(64, 64, 64));
    QPainter p(&sheet);
    p.fillRect(QRect(0, 0, kScreenWidth, kScreenHeight), Qt::black);
    p.drawImage(kOrigin, background);

    // The buttons lie under the tiles, the clock and indicator float above them.
    const auto& place = catalogue.buttonsPlace.buttons;
    std::vector<QRect> buttonRects;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const QPoint at = kOrigin + QPoint(place[i].x, place[i].y);
        p.drawImage(at, buttons[i]);
        buttonRects.push_back(QRect(at, buttons[i].size()));
    }
    const std::vector<std::uint8_t> dealOrder = dealOrderForSeed(seed);
    const QRect clockRect(kOrigin + QPoint(catalogue.clockPlace.x, catalogue.clockPlace.y),
                          clock.size());
    const QRect indicatorRect(
        kOrigin + QPoint(catalogue.indicatorPlace.x, catalogue.indicatorPlace.y), indicator.size());
    const QPoint board = kOrigin + QPoint(28, -12);
    for (int position = 143; position >= 0; --position) {
        const int tile = dealOrder[static_cast<std::size_t>(position)];
        const QPoint at = board + QPoint(45 * layout.x[position] / 2 + 7 * layout.z[position],
                                         35 * layout.y[position] - 7 * layout.z[position]);
        QPainterPath outline;
        outline.addPolygon(tileOutline(at));
        p.save();
        p.setClipPath(outline);
        const QImage& face = pictures[catalogue.pictureOfTile[tile]];
        if (base) {
            p.drawImage(at, *base);
            p.drawImage(at + QPoint(7, 0), face);
        } else {
            p.drawImage(at, face);
        }
        p.restore();
        const QRect tileRect(at, QSize(52, 77));
        for (std::size_t i = 0; i < buttonRects.size(); ++i)
            if (tileRect.intersects(buttonRects[i]))
                notes.push_back("button " + std::to_string(i) + " lies under layout position " +
                                std::to_string(position));
        if (tileRect.intersects(clockRect))
            notes.push_back("the clock covers layout position " + std::to_string(position));
        if (tileRect.intersects(indicatorRect))
            notes.push_back("the indicator covers layout position " + std::to_string(position));
    }
    // The windows are cut to their digit cells; the clock shows 07:45, the indicator 144.
    auto drawDigits = [&](const QImage& face, QPoint at, std::span<const int> cellX,
                          std::span<const int> value, std::span<const std::int16_t> digitX,
                          int digitY) {
        p.save();
        p.setClipPath(cellsPath(at, cellX));
        p.drawImage(at, face);
        for (std::size_t k = 0; k < value.size(); ++k)
            p.drawImage(at + QPoint(digitX[k], digitY), digits[static_cast<std::size_t>(value[k])]);
        p.restore();
    };
    static const int clockCells[] = {0, 26, 60, 86};
    static const int indicatorCells[] = {0, 26, 52};
    static const int clockValue[] = {0, 7, 4, 5};
    static const int indicatorValue[] = {1, 4, 4};
    drawDigits(clock, clockRect.topLeft(), clockCells, clockValue, catalogue.clockPlace.digitX,
               catalogue.clockPlace.digitY);
    drawDigits(indicator, indicatorRect.topLeft(), indicatorCells, indicatorValue,
               catalogue.indicatorPlace.digitX, catalogue.indicatorPlace.digitY);

    p.setPen(QColor(230, 230, 230));
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    p.drawText(QPoint(8, kScreenHeight + 8),
               QString::fromStdString("\"" + catalogue.displayName +
                                      "\": " + std::to_string(catalogue.pictureNames.size()) +
                                      " pictures" + (catalogue.hasBase ? ", base" : ", no base") +
                                      (catalogue.hasSound ? ", sound" : ", no sound") +
                                      "; IDB_BACKGROUND is under the board above"));
    for (std::size_t i = 0; i < gallery.size(); ++i) {
        p.drawImage(places[i], gallery[i].image);
        p.drawText(QPoint(places[i].x(), places[i].y() + gallery[i].image.height() + 12),
                   QString::fromStdString(gallery[i].name));
    }
    return sheet;
}

} // namespace tessalo::art
