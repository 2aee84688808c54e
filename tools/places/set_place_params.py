#!/usr/bin/python3
"""Writes the place and round-length keys of the "game" object into
devdata/params.json, leaving every other key as it is.

Levels: place level L + "level_ofs"[mode] is asked at level L. Normal mode
starts at place level 0 (the best-known places), advanced at 3, survival at
1; "question" (by place level) is at most the size of the smallest level.
"""
import json
import os

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
PATH = os.path.join(ROOT, "devdata", "params.json")

GAME = {
    "places": "devdata/places.json",
    # Map units (1 = 180 degrees of longitude, 90 of latitude): about 33 km
    # north-south, enough for a fingertip on a micro-state at the closest zoom.
    "touch_radius": 0.003,
    "level_ofs": [0, 3, 1],
    "time": [60, 60, 0],
    "extend_rate": [1.0, 0.8, 0],
    "question": [8, 8, 10, 10, 10, 10, 12, 12, 12, 12, 12, 12],
    "ans_time": [15, 14, 13, 12, 12, 11, 11, 10, 10, 9, 9, 8],
    "q_refresh_delay": [1.5, 1.5, 1.4, 1.4, 1.3, 1.3, 1.2, 1.2, 1.1, 1.1, 1.0, 1.0],
}


def main():
    with open(PATH, encoding="utf-8") as f:
        params = json.load(f)
    params.setdefault("game", {}).update(GAME)
    with open(PATH, "w", encoding="utf-8") as f:
        json.dump(params, f, indent=1, sort_keys=True, ensure_ascii=False)


if __name__ == "__main__":
    main()
