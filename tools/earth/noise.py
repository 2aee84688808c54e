"""Deterministic fractal noise on the sphere.

Noise is evaluated at the 3D direction of every pixel of an equirectangular
image, so it has no seam at the date line and no stretching at the poles. The
lattice values come from an integer hash, not a random generator, so the same
seed gives the same bytes on every machine.
"""
import numpy as np


def sphere_points(width, height):
    """Unit directions of the pixel centres of a width x height map (x east, y north)."""
    lon = (np.arange(width) + 0.5) / width * 2.0 * np.pi - np.pi
    lat = np.pi / 2 - (np.arange(height) + 0.5) / height * np.pi
    lon, lat = np.meshgrid(lon, lat)
    c = np.cos(lat)
    return np.stack([c * np.cos(lon), np.sin(lat), c * np.sin(lon)], axis=-1)


def _hash(ix, iy, iz, seed):
    h = (ix.astype(np.uint32) * np.uint32(0x8DA6B343)
         ^ iy.astype(np.uint32) * np.uint32(0xD8163841)
         ^ iz.astype(np.uint32) * np.uint32(0xCB1AB31F)
         ^ np.uint32(seed * 0x9E3779B1 & 0xFFFFFFFF))
    h ^= h >> np.uint32(15)
    h *= np.uint32(0x2C1B3C6D)
    h ^= h >> np.uint32(12)
    h *= np.uint32(0x297A2D39)
    h ^= h >> np.uint32(15)
    return h.astype(np.float64) / 4294967296.0


def value_noise(p, seed):
    """Smooth value noise in [0, 1) at points p (..., 3)."""
    f = np.floor(p)
    i = f.astype(np.int64)
    t = p - f
    t = t * t * (3.0 - 2.0 * t)
    out = 0.0
    for dx in (0, 1):
        wx = t[..., 0] if dx else 1.0 - t[..., 0]
        for dy in (0, 1):
            wy = t[..., 1] if dy else 1.0 - t[..., 1]
            for dz in (0, 1):
                wz = t[..., 2] if dz else 1.0 - t[..., 2]
                out = out + wx * wy * wz * _hash(i[..., 0] + dx, i[..., 1] + dy, i[..., 2] + dz, seed)
    return out


def fbm(p, seed, base_freq, octaves, gain=0.5, lacunarity=2.0):
    """Fractal sum of value noise, normalised to about [0, 1]."""
    total = np.zeros(p.shape[:-1])
    amp, norm, freq = 1.0, 0.0, base_freq
    for k in range(octaves):
        total += amp * value_noise(p * freq + 17.0 * k, seed + 101 * k)
        norm += amp
        amp *= gain
        freq *= lacunarity
    return total / norm
