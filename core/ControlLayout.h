#pragma once
#include <cstdint>
#include <vector>

#include "core/FormBehaviour.h"

// Controls that follow their parent's client area: docked to an edge (or filling what the docked ones leave), or
// anchored to edges so that they keep their distance to them.

enum class TAlign : uint8_t { None, Top, Bottom, Left, Right, Client };

constexpr uint8_t kAnchorLeft = 1;
constexpr uint8_t kAnchorTop = 2;
constexpr uint8_t kAnchorRight = 4;
constexpr uint8_t kAnchorBottom = 8;
constexpr uint8_t kAnchorDefault = kAnchorLeft | kAnchorTop;
constexpr uint8_t kAnchorAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;

// Where a control placed at `placed` while its parent's client area was baseWidth x baseHeight goes when that area is
// width x height. Anchored to both edges of an axis it stretches, to one it keeps that distance, to none it keeps its
// centre. Sizes never go below zero.
TWindowRect AnchoredBounds(const TWindowRect& placed,
                           int baseWidth,
                           int baseHeight,
                           int width,
                           int height,
                           uint8_t anchors);

struct TAlignItem {
    TAlign align;
    TWindowRect bounds;  // in: the current size (docked controls keep their height or width); out: the new place
};

// Docks the items in the client area: all Top ones first, then Bottom, Left, Right and Client, each kind in the
// order given. Returns the area left over.
TWindowRect AlignItems(std::vector<TAlignItem>& items, const TWindowRect& client);
