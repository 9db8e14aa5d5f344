#!/usr/bin/env python3
"""Makes the source folder of an update benchmark: REPLACED files named like files of TREE
(so they replace entries), with new content of about the same size, and ADDED files with new
names (so they are added).

usage: make_sources.py TREE SOURCES REPLACED ADDED
"""
import os
import random
import sys


def main():
    tree, sources, replaced, added = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    rng = random.Random(7)
    files = sorted(os.path.join(folder, name)
                   for folder, _, names in os.walk(tree) for name in names)
    for path in rng.sample(files, replaced):
        target = os.path.join(sources, os.path.relpath(path, tree))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as out:
            out.write(os.urandom(os.path.getsize(path) + rng.randint(-16, 16) if os.path.getsize(path) > 16 else 8))
    for i in range(added):
        target = os.path.join(sources, "new", f"added{i:06d}.bin")
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as out:
            out.write(os.urandom(rng.randint(0, 256)))


main()
