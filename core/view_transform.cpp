#include "core/scene.h"

namespace kaleidra {

void Scene::ViewTransform() {
    // The view transform and the stereo camera arrive with the matrix toolkit.
}

void Scene::Berechne_Basis() {}

}  // namespace kaleidra
