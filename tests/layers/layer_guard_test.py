#!/usr/bin/python3
"""The layer guard catches the three ways past a guard of include paths: a
same-folder name, a relative path, and a header that moved to a higher layer."""

import os, sys, tempfile, unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from layer_guard import read_layers, violations  # noqa: E402

BASE_HAS_MORPH = """kaleidra_base: | core/morph.h core/morph.cpp
kaleidra_shapes: kaleidra_base | shapes/grid.cpp
kaleidra_render: kaleidra_base | render/raster.h
kaleidra_scene: kaleidra_shapes kaleidra_render | core/toolkit.h
"""
SCENE_HAS_MORPH = BASE_HAS_MORPH.replace(" core/morph.h", "").replace(
    "core/toolkit.h", "core/toolkit.h core/morph.h")


class LayerGuard(unittest.TestCase):
    def test_includes(self):
        rows = [  # layers, file, its include, crosses a layer
            (BASE_HAS_MORPH, "core/morph.cpp", '"toolkit.h"', True),
            (BASE_HAS_MORPH, "shapes/grid.cpp", '"../render/raster.h"', True),
            (SCENE_HAS_MORPH, "shapes/grid.cpp", '"core/morph.h"', True),
            (BASE_HAS_MORPH, "shapes/grid.cpp", '"core/morph.h"', False),
            (BASE_HAS_MORPH, "core/toolkit.h", "<render/raster.h>", False),
            (BASE_HAS_MORPH, "core/morph.cpp", "<vector>", False),
        ]
        for layers, path, include, crosses in rows:
            with self.subTest(path=path, include=include), tempfile.TemporaryDirectory() as root:
                for name in ("core/morph.h", "core/morph.cpp", "core/toolkit.h",
                             "shapes/grid.cpp", "render/raster.h"):
                    os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
                    with open(os.path.join(root, name), "w") as f:
                        f.write(f"#include {include}\n" if name == path else "")
                self.assertEqual(bool(violations(root, read_layers(layers))), crosses)


if __name__ == "__main__":
    unittest.main()
