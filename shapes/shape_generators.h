#pragma once

// The generators behind BuildShape, one per family. Each writes ShapeSet point
// by point in the numbering the cloud's morph paths depend on; only the two
// scalings read what ShapeSet held before.

#include "core/point_set.h"
#include "core/random_source.h"

namespace kaleidra::shapes {

// Random shapes and the two scalings.
void RandomCube(PointSet& ShapeSet, RandomSource& random);    // 1
void CornerBlocks(PointSet& ShapeSet, RandomSource& random);  // 12
void Grow(PointSet& ShapeSet, RandomSource& random);          // 13
void SphereShell(PointSet& ShapeSet, RandomSource& random);   // 22
void Shrink(PointSet& ShapeSet, RandomSource& random);        // 23

// Lattice, outlines and the hyperbola star.
void Lattice(PointSet& ShapeSet);        // 2
void Square(PointSet& ShapeSet);         // 7
void DoubleSquare(PointSet& ShapeSet);   // 8
void SquareFrustum(PointSet& ShapeSet);  // 9
void HyperbolaStar(PointSet& ShapeSet);  // 24

// Circles and the globe.
enum class RingPlane { Upright, BelowCentre, AboveCentre };
void Ring(PointSet& ShapeSet);                              // 3
void ConcentricRings(PointSet& ShapeSet, RingPlane plane);  // 4, 5, 6
void Globe(PointSet& ShapeSet);                             // 10
void FourRings(PointSet& ShapeSet);                         // 11
void Tube(PointSet& ShapeSet, double radius);               // 14, 15

// Surfaces on the 10 x 10 grid.
enum class GridSurface { FlatAbove, Saddle, FlatBelow, Upright, ParaboloidUp, ParaboloidDown };
void Grid(PointSet& ShapeSet, GridSurface surface);  // 16 to 21

}  // namespace kaleidra::shapes
