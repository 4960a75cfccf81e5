#pragma once

#include "tools/art/set_params.h"

#include <QImage>

#include <string>
#include <vector>

namespace tessalo::art {

enum class Suit { Dots, Bamboo, Characters, Wind, Dragon, Flower, Season };

struct TileKind {
    Suit suit;
    // 1..9 for the numbered suits; 1..4 for winds (east, south, west, north), flowers and
    // seasons; 1..3 for dragons.
    int rank;
    // The resource name of its picture, e.g. "IDB_DOTS_3".
    std::string name;
};

// The 42 pictures in picture-index order: 34 kinds of four tiles each, then the four flowers and
// the four seasons, which share a match group per family.
std::vector<TileKind> tileKinds();

// The picture index of each of the 144 tiles: tile i belongs to match group i / 4, and the flower
// and season groups give each of their four tiles its own picture.
std::vector<int> pictureOfTile();

// One face: 45 × 70 for a set with a base, else the whole 52 × 77 tile with its sides; drawn
// anew at `factor` times that size for the larger versions.
QImage drawTileFace(const SetParams& params, const TileKind& kind, int factor = 1);

} // namespace tessalo::art
