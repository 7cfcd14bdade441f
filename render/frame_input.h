#pragma once

#include "core/point_set.h"

namespace kaleidra {

// Everything a renderer reads for one frame: the two views, the camera values
// the view transform left, and the panel settings at the moment of drawing.
struct FrameInput {
    const PointSet& View1Set;
    const PointSet& View2Set;
    double CameraDistance;
    double EyeOffset;
    int RadioGroup1;  // background: 0 black, anything else white
    int RadioGroup2;  // effect index
    int SpinEdit9;    // "Ebene": picture-plane shift in pixels
    int SpinEdit4;    // "Größe": point size in pixels
    bool CheckBox3;   // "dynam. Größe"
};

}  // namespace kaleidra
