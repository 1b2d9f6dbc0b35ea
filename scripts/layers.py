#!/usr/bin/env python3
"""The shape of the program's source, counted from its #include lines.

Prints the include arrows between folders (and which of them run upwards, against
the layer order below), the include loops that cross folders, the widget headers
that data code includes, and the longest files and functions.

A class's .h and .cpp count as one unit, so "A.cpp includes B.h while B.cpp
includes A.h" is a loop between A and B. Run from anywhere: python3 scripts/layers.py
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Lowest first: a folder may include from the folders before it.
LAYERS = ["platform", "catalogue", "state", "dialogs", "editor", "inserters", "tree", "app"]
# Where a widget header must not appear: the data code of the two bottom layers.
# The Qt adapters over widgets that platform/ holds on purpose are named here.
DATA_FOLDERS = ["catalogue", "platform"]
WIDGET_ADAPTERS = {"platform/RichTextControl", "platform/RichTextControlAccessible", "platform/QtPrompt", "platform/ScriptPrinter"}
SKIP = re.compile(r"(^|/)(tool/main\.cpp|app/main\.cpp)$")
QT_WIDGETS = "/usr/include/x86_64-linux-gnu/qt6/QtWidgets"

INCLUDE_LOCAL = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
INCLUDE_SYSTEM = re.compile(r"^\s*#\s*include\s+<([^>]+)>")


def sources():
    for folder in LAYERS:
        base = os.path.join(ROOT, folder)
        for dirpath, _, names in os.walk(base):
            for name in sorted(names):
                if name.endswith((".h", ".cpp")):
                    rel = os.path.relpath(os.path.join(dirpath, name), ROOT)
                    if not SKIP.search(rel):
                        yield rel


def unit(path):
    return os.path.splitext(path)[0]


def folder(path):
    return path.split("/", 1)[0]


def widget_headers():
    try:
        return set(os.listdir(QT_WIDGETS))
    except OSError:
        return set()


def main():
    files = list(sources())
    edges = {}  # unit -> set of units
    system = {}  # unit -> set of <headers>
    for rel in files:
        u = unit(rel)
        edges.setdefault(u, set())
        system.setdefault(u, set())
        with open(os.path.join(ROOT, rel), encoding="utf-8") as f:
            for line in f:
                m = INCLUDE_LOCAL.match(line)
                if m and os.path.exists(os.path.join(ROOT, m.group(1))):
                    target = unit(m.group(1))
                    if target != u:
                        edges[u].add(target)
                m = INCLUDE_SYSTEM.match(line)
                if m:
                    system[u].add(m.group(1))

    rank = {name: i for i, name in enumerate(LAYERS)}
    arrows = {}
    for u, targets in edges.items():
        for t in targets:
            a, b = folder(u), folder(t)
            if a != b:
                arrows.setdefault((a, b), []).append(f"{u} -> {t}")
    upward = {k: v for k, v in arrows.items() if rank[k[0]] < rank[k[1]]}
    print(f"include arrows between folders: {len(arrows)} ({sum(len(v) for v in arrows.values())} unit includes)")
    for (a, b), why in sorted(arrows.items(), key=lambda kv: (rank[kv[0][0]], rank[kv[0][1]])):
        mark = "  UP" if (a, b) in upward else "    "
        print(f"{mark} {a} -> {b}: {len(why)}")
    print(f"arrows running upwards: {len(upward)}")
    for (a, b), why in sorted(upward.items()):
        for w in why:
            print(f"    {w}")

    # Loops: strongly connected components of the unit graph (Tarjan).
    index, low, stack, on, comps, counter = {}, {}, [], set(), [], [0]
    sys.setrecursionlimit(10000)

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in edges.get(v, ()):
            if w not in edges:
                continue
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            comp = []
            while True:
                w = stack.pop()
                on.discard(w)
                comp.append(w)
                if w == v:
                    break
            comps.append(comp)

    for v in sorted(edges):
        if v not in index:
            visit(v)
    loops = [sorted(c) for c in comps if len(c) > 1]
    crossing = [c for c in loops if len({folder(u) for u in c}) > 1]
    print(f"include loops across folders: {len(crossing)} (loops within one folder: {len(loops) - len(crossing)})")
    for c in loops:
        print("    " + " <-> ".join(c))

    widgets = widget_headers()
    bad = []
    for u, headers in sorted(system.items()):
        if folder(u) in DATA_FOLDERS and u not in WIDGET_ADAPTERS:
            bad += [f"{u}: <{h}>" for h in sorted(headers) if h in widgets]
    print(f"widget headers in data code ({', '.join(DATA_FOLDERS)}): {len(bad)}"
          + ("" if widgets else " (QtWidgets headers not found; not checked)"))
    for b in bad:
        print(f"    {b}")

    lengths = []
    functions = []
    for rel in files:
        with open(os.path.join(ROOT, rel), encoding="utf-8") as f:
            lines = f.read().split("\n")
        lengths.append((len(lines) - (1 if lines and lines[-1] == "" else 0), rel))
        # The code base opens and closes every function body with a brace alone in
        # column 0; the line before the opening brace names the function.
        start = None
        for i, line in enumerate(lines):
            if line == "{" and i > 0:
                start = i
            elif line.startswith("}") and start is not None:
                name = lines[start - 1].strip()
                functions.append((i - start + 2, f"{rel}:{start}: {name}"))
                start = None
    lengths.sort(reverse=True)
    functions.sort(reverse=True)
    print(f"files over 500 lines: {sum(1 for n, _ in lengths if n > 500)}; longest:")
    for n, rel in lengths[:3]:
        print(f"    {n:5d} {rel}")
    print(f"functions over 80 lines: {sum(1 for n, _ in functions if n > 80)}; longest:")
    for n, where in functions[:3]:
        print(f"    {n:5d} {where}")


if __name__ == "__main__":
    main()
