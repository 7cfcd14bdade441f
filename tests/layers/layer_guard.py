#!/usr/bin/python3
"""The layer guard: every #include in every file of a layer must name a file
of that layer or of a layer below it. A path is resolved as the compiler
resolves it: from the including file's folder first, then from the source
root; an include that names no file of the tree (the system's, the
toolkit's, a generated header) is not ours to check.
    layer_guard.py SOURCE_ROOT LAYERS_TXT   (LAYERS_TXT: the build's layers.txt)"""

import os, re, sys

INCLUDE = re.compile(r'^\s*#\s*include\s*["<]([^">]+)[">]', re.M)


def read_layers(text):
    """{layer: (layers right below it, its files)} from "name: below | files" lines."""
    layers = {}
    for line in filter(str.strip, text.splitlines()):
        name, rest = line.split(":", 1)
        below, files = rest.split("|")
        layers[name.strip()] = (below.split(), files.split())
    return layers


def violations(root, layers):
    owner = {f: name for name, (_, files) in layers.items() for f in files}

    def seen_from(name):  # the layer and every layer below it
        seen, todo = set(), [name]
        while todo:
            n = todo.pop()
            if n in layers and n not in seen:
                seen.add(n)
                todo.extend(layers[n][0])
        return seen

    found = []
    for name, (_, files) in layers.items():
        may = seen_from(name)
        for f in files:
            with open(os.path.join(root, f), encoding="utf-8") as source:
                includes = INCLUDE.findall(source.read())
            for included in includes:
                for base in (os.path.dirname(f), ""):
                    path = os.path.normpath(os.path.join(base, included))
                    if not path.startswith("..") and os.path.isfile(os.path.join(root, path)):
                        break
                else:
                    continue
                if owner.get(path) not in may:
                    found.append(f'{f}: "{included}" is {path}, of {owner.get(path, "no layer")}, '
                                 f"which {name} may not see")
    return found


if __name__ == "__main__":
    root, listing = sys.argv[1:3]
    with open(listing, encoding="utf-8") as text:
        layers = read_layers(text.read())
    found = violations(root, layers)
    for line in found:
        print(f"layer guard: {line}")
    files = sum(len(f) for _, f in layers.values())
    print(f"layer guard: {len(found)} includes cross a layer in {files} files of {len(layers)} layers")
    sys.exit(1 if found else 0)
