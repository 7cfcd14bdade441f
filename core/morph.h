#pragma once

#include "core/point_set.h"

namespace kaleidra {

// One morph step: every coordinate of MorphSet moves by s toward the same
// coordinate of ShapeSet and lands exactly on it once it is no more than s
// away. The three tests run in a fixed order with s as given: s = 0 holds the
// cloud still and a negative s (a typed, not yet clamped value) drives it away.
void Modell_Morph(const PointSet& ShapeSet, PointSet& MorphSet, int s);

// The frame's working copy: WorkSet := MorphSet, exactly.
void COPY_ROT(const PointSet& MorphSet, PointSet& WorkSet);

}  // namespace kaleidra
