#!/usr/bin/env python3
"""Makes the benchmarks' data: a tree of files in nested folders and, on request, a wad that
holds the same files (blocks one after the other behind the directory, names relative to the
tree with backslashes).

usage: make_tree.py TREE FILES TOTAL_MB [WAD]
"""
import os
import random
import struct
import sys


def make_tree(root, files, total_bytes):
    rng = random.Random(4)
    mean = total_bytes // files
    paths = []
    for i in range(files):
        depth = rng.randint(0, 3)
        folders = [f"d{rng.randint(0, 9)}" for _ in range(depth)]
        name = os.path.join(root, *folders, f"file{i:05d}.bin")
        os.makedirs(os.path.dirname(name), exist_ok=True)
        with open(name, "wb") as out:
            out.write(os.urandom(rng.randint(0, 2 * mean)))
        paths.append(name)
    return paths


def write_wad(root, paths, wad):
    names = [os.path.relpath(p, root).replace(os.sep, "\\").encode("cp1252") for p in paths]
    sizes = [os.path.getsize(p) for p in paths]
    with open(wad, "wb") as out:
        out.write(struct.pack("<i", len(paths)))
        offset = 4 + 136 * len(paths)
        for name, size in zip(names, sizes):
            out.write(name.ljust(128, b"\0") + struct.pack("<ii", offset, size))
            offset += size
        for p in paths:
            with open(p, "rb") as data:
                out.write(data.read())


def main():
    root, files, total_mb = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    paths = make_tree(root, files, total_mb * 1024 * 1024)
    if len(sys.argv) > 4:
        write_wad(root, paths, sys.argv[4])
    print(max(os.path.getsize(p) for p in paths))


main()
