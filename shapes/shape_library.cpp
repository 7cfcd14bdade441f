#include "shapes/shape_library.h"

#include <utility>

#include "shapes/shape_generators.h"

namespace kaleidra {

void BuildShape(int ShapeNo, PointSet& ShapeSet, RandomSource& random) {
    using namespace shapes;
    switch (ShapeNo) {
        case 1:
            RandomCube(ShapeSet, random);
            break;
        case 2:
            Lattice(ShapeSet);
            break;
        case 3:
            Ring(ShapeSet);
            break;
        case 4:
            ConcentricRings(ShapeSet, RingPlane::Upright);
            break;
        case 5:
            ConcentricRings(ShapeSet, RingPlane::BelowCentre);
            break;
        case 6:
            ConcentricRings(ShapeSet, RingPlane::AboveCentre);
            break;
        case 7:
            Square(ShapeSet);
            break;
        case 8:
            DoubleSquare(ShapeSet);
            break;
        case 9:
            SquareFrustum(ShapeSet);
            break;
        case 10:
            Globe(ShapeSet);
            break;
        case 11:
            FourRings(ShapeSet);
            break;
        case 12:
            CornerBlocks(ShapeSet, random);
            break;
        case 13:
            Grow(ShapeSet, random);
            break;
        case 14:
            Tube(ShapeSet, 20.0);
            break;
        case 15:
            Tube(ShapeSet, 50.0);
            break;
        case 16:
            Grid(ShapeSet, GridSurface::FlatAbove);
            break;
        case 17:
            Grid(ShapeSet, GridSurface::Saddle);
            break;
        case 18:
            Grid(ShapeSet, GridSurface::FlatBelow);
            break;
        case 19:
            Grid(ShapeSet, GridSurface::Upright);
            break;
        case 20:
            Grid(ShapeSet, GridSurface::ParaboloidUp);
            break;
        case 21:
            Grid(ShapeSet, GridSurface::ParaboloidDown);
            break;
        case 22:
            SphereShell(ShapeSet, random);
            break;
        case 23:
            Shrink(ShapeSet, random);
            break;
        case 24:
            HyperbolaStar(ShapeSet);
            break;
        default:
            break;  // no such shape: ShapeSet stays as it is
    }
}

void ShufflePoints(PointSet& ShapeSet, RandomSource& random) {
    // Sattolo: j is always below k, so the result is one single cycle and no
    // point keeps its number. The pass runs down to k = 1, whose empty range
    // still takes a draw (R(0) yields 0) and swaps point 1 with itself; the
    // stream must see that draw so that later draws line up.
    for (int k = kPointCount; k >= 1; --k) {
        const int j = random.Random(k - 1) + 1;
        std::swap(ShapeSet[k], ShapeSet[j]);
    }
}

}  // namespace kaleidra
