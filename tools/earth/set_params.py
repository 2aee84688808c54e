#!/usr/bin/python3
"""Writes the globe's sections of devdata/params.json (load, set these keys, write back).

Run from the repository root: /usr/bin/python3 tools/earth/set_params.py
Other sections of the file are left as they are.
"""
import json

PATH = "devdata/params.json"

MONTHS = [["earth_%02d.png" % (m + 1), True, True, "glow.png", "halo.png"] for m in range(12)]
NIGHT = ["earth_night.png", False, True, "glow_night.png", "halo_night.png"]

SECTIONS = {
    # Globe radius 400 units (the scale the game's fixed camera distances and
    # equator fog are made for); 64 x 32 facets are invisible at the sizes we show.
    "earth": {"h_div": 64, "v_div": 32, "radius": 400.0, "rotate": 1.5, "cloud_texture": "cloud.png",
              "cloud_scale": 1.008, "cloud_shadow": 0.45, "air_scale": 1.07, "atmos_scale": 1.015},
    # 30 degrees across the height; at 1800 the globe fills most of the 640-unit height.
    "camera": {"angle": 30.0, "near": 20.0, "far": 12000.0, "dist": 1800.0, "pitch_max": 70.0},
    # One light up and to the right of the viewer (x is mirrored on screen), a little in front.
    "lights": [{"ambient": [0.16, 0.16, 0.19], "diffuse": [0.88, 0.86, 0.83], "pos": [0.0, 0.0, 0.0],
                "ofs": [-1400.0, 1200.0, 2800.0]}],
    "reset_camera": {"dist": [0.85, 1.0, 1.15, 1.3]},
    "earth_appearance": MONTHS + [NIGHT],
    # The overlay atlases preloaded at start; game2.png (agreement screen) joins once it is painted.
    "texture": ["devdata/game.png", "devdata/game3.png", "devdata/round.png"],
    "start_dist": 6000.0,
    "start_delay": 0.5,
    "start_time": 3.0,
    "start_angle": [20.0, 100.0],
    # Clouds are whole beyond 1600 units and gone at 600 (a normal game stretches 1600 to 2400).
    "cloud_dist_max": 1600.0,
    "cloud_dist_min": 600.0,
    "cloud_alpha_max": 1.0,
    "cloud_alpha_min": 0.0,
}

# Camera-control keys inside "game" (the rest of "game" belongs to the game flow).
GAME_KEYS = {"near_z": 500.0, "far_z": 2800.0, "rot_speed": 200.0, "zoom_speed": 1.5, "decrease": 3.5,
             "dec_z": 1200.0, "bounce_near": 6.0, "bounce_far": 6.0, "touch": 1.0, "touch_len": 12.0}


def main():
    with open(PATH, encoding="utf-8") as f:
        params = json.load(f)
    params.update(SECTIONS)
    game = params.get("game")
    if not isinstance(game, dict):
        game = {}
    game.update(GAME_KEYS)
    params["game"] = game
    with open(PATH, "w", encoding="utf-8") as f:
        json.dump(params, f, indent=1, sort_keys=True, ensure_ascii=False)


if __name__ == "__main__":
    main()
