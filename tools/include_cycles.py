#!/usr/bin/env python3
"""Finds include cycles between units of the C++ tree. A unit is a header and
the .cpp files of the same name in the same folder; unit A depends on unit B
when a file of A includes a header of B with #include "...". Includes are
resolved against the including file's folder, then the source roots. Prints
each cycle and exits 1 when there is one.

Usage: tools/include_cycles.py [repository root]"""
import os
import re
import sys
from collections import defaultdict

ROOTS = ["src", "service", "tools", "plugins"]
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def sources(top):
    for root in ROOTS:
        for folder, dirs, names in os.walk(os.path.join(top, root)):
            dirs[:] = [d for d in dirs if d != "node_modules" and not d.startswith("build")]
            for name in names:
                if name.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(folder, name), top)


def unit(path):
    return os.path.splitext(path)[0]


def dependencies(top, files):
    known = set(files)
    edges = defaultdict(set)
    for path in files:
        with open(os.path.join(top, path), errors="replace") as text:
            for line in text:
                match = INCLUDE.match(line)
                if not match:
                    continue
                name = match.group(1)
                bases = [os.path.dirname(path), ""] + ROOTS
                for base in bases:
                    target = os.path.normpath(os.path.join(base, name))
                    if target in known:
                        if unit(target) != unit(path):
                            edges[unit(path)].add(unit(target))
                        break
    return edges


def cycles(edges):
    """Strongly connected groups of more than one unit (Tarjan, iterative)."""
    index, low, on_stack, stack, found = {}, {}, set(), [], []
    counter = 0
    for start in list(edges):
        if start in index:
            continue
        work = [(start, iter(sorted(edges.get(start, ()))))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            child = next(children, None)
            if child is None:
                work.pop()
                if work:
                    low[work[-1][0]] = min(low[work[-1][0]], low[node])
                if low[node] == index[node]:
                    group = []
                    while True:
                        member = stack.pop()
                        on_stack.discard(member)
                        group.append(member)
                        if member == node:
                            break
                    if len(group) > 1:
                        found.append(sorted(group))
            elif child not in index:
                index[child] = low[child] = counter
                counter += 1
                stack.append(child)
                on_stack.add(child)
                work.append((child, iter(sorted(edges.get(child, ())))))
            elif child in on_stack:
                low[node] = min(low[node], index[child])
    return found


def main():
    top = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    files = sorted(sources(top))
    found = cycles(dependencies(top, files))
    for group in found:
        print("include cycle: " + ", ".join(group))
    print(f"include cycles between units: {len(found)} ({len(files)} files)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
