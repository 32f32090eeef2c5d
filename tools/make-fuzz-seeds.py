#!/usr/bin/env python3
"""Writes the fuzzers' seed corpus from the shipped content: each map cut down to a corner of
its layers and its first objects (small inputs fuzz fast), and the converted property values
that the maps use.
Usage: tools/make-fuzz-seeds.py   (from anywhere; rewrites fuzz/corpus/tmx and .../property)"""
import pathlib
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent
CELLS_ACROSS, CELLS_DOWN, OBJECTS_PER_GROUP = 4, 3, 5
# The properties whose values are converted (numbers, pairs, colours); texts and paths are not.
CONVERTED = {"mass", "restitution", "velocity", "acceleration", "color", "fontsize", "offset",
             "speed", "degredation"}


def cut_layer(layer):
    data = layer.find("data")
    rows = [row for row in data.text.strip().split("\n")]
    kept = [row.rstrip(",").split(",")[:CELLS_ACROSS] for row in rows[:CELLS_DOWN]]
    layer.set("width", str(len(kept[0])))
    layer.set("height", str(len(kept)))
    data.text = "\n" + ",\n".join(",".join(row) for row in kept) + "\n"


def cut_map(path):
    tree = ET.parse(path)
    root = tree.getroot()
    root.set("width", str(CELLS_ACROSS))
    root.set("height", str(CELLS_DOWN))
    for layer in root.findall("layer"):
        cut_layer(layer)
    for group in root.findall("objectgroup"):
        for extra in group.findall("object")[OBJECTS_PER_GROUP:]:
            group.remove(extra)
    ET.indent(tree, space=" ")
    return ET.tostring(root, encoding="unicode") + "\n"


def shipped_maps():
    """The screens' maps and the races' (the courses have a folder of their own)."""
    assets = ROOT / "assets"
    return sorted(assets.glob("*.tmx")) + sorted((assets / "courses").glob("*.tmx"))


def property_values():
    values = set()
    for path in shipped_maps():
        for prop in ET.parse(path).getroot().iter("property"):
            if prop.get("name") in CONVERTED:
                values.add(prop.get("value", ""))
    return sorted(values)


def main():
    maps = ROOT / "fuzz" / "corpus" / "tmx"
    maps.mkdir(parents=True, exist_ok=True)
    for path in shipped_maps():
        (maps / path.name).write_text('<?xml version="1.0" encoding="UTF-8"?>\n' + cut_map(path))
    props = ROOT / "fuzz" / "corpus" / "property"
    props.mkdir(parents=True, exist_ok=True)
    for old in props.glob("value-*"):
        old.unlink()
    for number, value in enumerate(property_values()):
        (props / f"value-{number:03}").write_text(value)


if __name__ == "__main__":
    main()
