#pragma once

#include "core/point_set.h"
#include "core/random_source.h"

namespace kaleidra {

// Fills ShapeSet with shape ShapeNo (1 to 24); any other number builds nothing.
void BuildShape(int ShapeNo, PointSet& ShapeSet, RandomSource& random);

// Renumbers the points of ShapeSet as one single cycle (Sattolo's shuffle).
void ShufflePoints(PointSet& ShapeSet, RandomSource& random);

}  // namespace kaleidra
