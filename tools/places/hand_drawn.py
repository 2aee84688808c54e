"""Places the 1:50m sources leave out, drawn by hand (our own work): small
boxes around each atoll, about as wide as the atoll and its lagoon."""

# key, name, level, answer, [(lon, lat, half-width in degrees), ...]
HAND_DRAWN = [
    ("c_tuv", "Tuvalu", 10, "Capital: Funafuti",
     [(176.13, -5.67, 0.04), (177.34, -6.11, 0.03), (176.32, -6.29, 0.03), (177.15, -7.24, 0.04),
      (178.68, -7.48, 0.03), (178.50, -8.00, 0.06), (179.13, -8.52, 0.10), (179.85, -9.38, 0.04),
      (179.47, -10.79, 0.02)]),
]
