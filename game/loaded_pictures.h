#pragma once

#include <QPixmap>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessalo {

// What a picture set gives the game window, decoded once before the window opens.
struct LoadedPictures {
    // Picture-index order; a null pixmap for a picture that could not be decoded.
    std::vector<QPixmap> faces;
    QPixmap background;
    // None when the set has no base: faces are then whole tiles.
    std::optional<QPixmap> base;
    // A private copy of the set's pair sound; kept until the next load replaces it.
    std::optional<std::vector<std::uint8_t>> okSound;

    // How many device pixels of the pictures make one pixel of the window.
    void setDevicePixelRatio(qreal ratio) {
        for (QPixmap& face : faces)
            face.setDevicePixelRatio(ratio);
        background.setDevicePixelRatio(ratio);
        if (base)
            base->setDevicePixelRatio(ratio);
    }

    void releaseBitmaps() {
        faces.clear();
        background = QPixmap();
        base.reset();
    }
};

} // namespace tessalo
