#!/usr/bin/python3
"""Lists the top-level windows of a Wayland session, the topmost first, one
per line: ID X Y WIDTH HEIGHT FOCUSED APP_ID TITLE (FOCUSED is 1 or 0, "-"
where the compositor does not tell). sway tells through its IPC (swaymsg),
weston through its debug protocol's scene graph (weston-debug).

    wayland_windows.py sway|weston
"""
import json
import re
import subprocess
import sys


def sway_windows():
    tree = json.loads(subprocess.run(["swaymsg", "-t", "get_tree", "-r"], check=True,
                                     capture_output=True, text=True).stdout)
    found = []

    def walk(node):
        if node.get("app_id") is not None or node.get("window_properties"):
            found.append(node)
        # Floating windows later in the list lie above earlier ones.
        for child in reversed(node.get("floating_nodes", [])):
            walk(child)
        for child in node.get("nodes", []):
            walk(child)

    walk(tree)
    for node in found:
        rect = node["rect"]
        yield (node["id"], rect["x"], rect["y"], rect["width"], rect["height"],
               1 if node["focused"] else 0, node.get("app_id") or "-", node.get("name") or "")


def weston_windows():
    graph = subprocess.run(["timeout", "2", "weston-debug", "scene-graph"],
                           capture_output=True, text=True).stdout
    view = re.compile(r"surface ID (\d+), top-level window '(.*)' of (\S+), ")
    position = re.compile(r"position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)")
    current = None
    for line in graph.splitlines():
        match = view.search(line)
        if match:
            current = match
            continue
        match = position.search(line)
        if match and current:
            x0, y0, x1, y1 = (int(value) for value in match.groups())
            yield (current.group(1), x0, y0, x1 - x0, y1 - y0, "-", current.group(3),
                   current.group(2))
            current = None


for window in (sway_windows() if sys.argv[1] == "sway" else weston_windows()):
    print(*window)
