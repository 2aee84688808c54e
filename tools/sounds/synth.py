#!/usr/bin/env python3
"""Synthesises every sound the game plays and records them in the "audio"
section of devdata/params.json.

    python3 tools/sounds/synth.py            (from the checkout root)

Additive synthesis with envelopes and a small Schroeder reverb, Python 3
standard library only. Deterministic: no clock, no unseeded randomness, so the
same script writes the same bytes. Output: 16-bit PCM mono WAV at 44.1 kHz in
devdata/sound/, each file brought to a common loudness with peaks kept below
-1 dBFS.
"""
import json
import math
import os
import struct
import sys
import wave

RATE = 44100
TARGET_RMS_DB = -18.0     # common loudness of the set (whole-file RMS)
TICK_RMS_DB = -21.0       # the count-down tick sits a little under the rest
BUZZ_RMS_DB = -20.0       # buzzes are rich in harmonics: softer RMS, same felt level
PEAK_CEILING = 10 ** (-1.5 / 20)   # soft ceiling, leaves headroom under -1 dBFS
TAIL_FLOOR_DB = -60.0     # trailing reverb below this is cut off

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SOUND_DIR = "sound"       # under devdata/


# ---------------------------------------------------------------- building blocks

def midi(m):
    return 440.0 * 2.0 ** ((m - 69) / 12.0)


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def mix(dst, src, at_seconds, gain=1.0):
    """Adds src into dst starting at at_seconds, growing dst as needed."""
    start = int(round(at_seconds * RATE))
    end = start + len(src)
    if end > len(dst):
        dst.extend([0.0] * (end - len(dst)))
    for i, v in enumerate(src):
        dst[start + i] += v * gain
    return dst


class Lcg:
    """A tiny deterministic noise source (Numerical Recipes constants)."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (1664525 * self.state + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0


def tone(freq, seconds, partials, attack=0.004, decay=0.4, release=0.02, glide=0.0, vibrato=0.0):
    """A pitched note: sum of partials (ratio, amplitude, decay factor), each
    fading exponentially with time constant decay * factor. glide bends the
    pitch by that many semitones over the note; vibrato is a depth in cents at
    5.5 Hz. A short attack and release avoid clicks."""
    n = int(seconds * RATE)
    out = [0.0] * n
    phases = [0.0] * len(partials)
    a_n = max(1, int(attack * RATE))
    r_n = max(1, int(release * RATE))
    for i in range(n):
        t = i / RATE
        bend = 2.0 ** ((glide * t / seconds) / 12.0) if glide else 1.0
        if vibrato:
            bend *= 2.0 ** (vibrato / 1200.0 * math.sin(2 * math.pi * 5.5 * t))
        env = min(1.0, i / a_n) * min(1.0, (n - i) / r_n)
        s = 0.0
        for k, (ratio, amp, dfac) in enumerate(partials):
            phases[k] += 2 * math.pi * freq * ratio * bend / RATE
            s += amp * math.exp(-t / (decay * dfac)) * math.sin(phases[k])
        out[i] = s * env
    return out


# Timbres: (ratio, amplitude, decay factor).
BELL = [(1.0, 1.0, 1.0), (2.0, 0.5, 0.6), (3.01, 0.25, 0.4), (4.2, 0.12, 0.25), (5.43, 0.06, 0.18)]
SOFT_BELL = [(1.0, 1.0, 1.0), (2.0, 0.3, 0.5), (3.0, 0.1, 0.3)]
MARIMBA = [(1.0, 1.0, 1.0), (3.99, 0.35, 0.2), (9.9, 0.08, 0.08)]
BRASS = [(1.0, 1.0, 1.0), (2.0, 0.6, 1.0), (3.0, 0.42, 1.0), (4.0, 0.3, 1.0), (5.0, 0.18, 1.0), (6.0, 0.1, 1.0)]
PAD = [(1.0, 1.0, 1.0), (1.004, 0.7, 1.0), (2.0, 0.35, 1.0), (2.997, 0.15, 1.0), (0.5, 0.3, 1.0)]


def buzz(freq, seconds, glide=0.0, harmonics=9):
    """A soft, band-limited square-ish buzz for wrong answers."""
    parts = [(k, 1.0 / k, 1.0) for k in range(1, harmonics + 1, 2)]
    parts += [(k, 0.25 / k, 1.0) for k in range(2, harmonics, 2)]  # a little even body
    return tone(freq, seconds, parts, attack=0.008, decay=seconds * 1.5, release=0.06, glide=glide)


def swell(freq, seconds, attack):
    """A sustained pad note with a slow attack and a long fade."""
    out = tone(freq, seconds, PAD, attack=attack, decay=seconds * 1.2, release=seconds * 0.45, vibrato=6.0)
    return out


def click(seconds, seed, bright=0.5):
    """A short filtered noise burst: the wood of a tick."""
    rng = Lcg(seed)
    n = int(seconds * RATE)
    out, low = [0.0] * n, 0.0
    for i in range(n):
        low += bright * (rng.next() - low)
        out[i] = low * math.exp(-i / (0.004 * RATE)) * min(1.0, i / (0.0005 * RATE))
    return out


def reverb(x, wet=0.18, room=0.78, damp=0.3):
    """Schroeder reverb: four damped combs in parallel, two all-passes in series."""
    tail = int(1.2 * RATE)
    src = x + [0.0] * tail
    n = len(src)
    acc = [0.0] * n
    for d in (1557, 1617, 1491, 1422):
        buf, idx, store = [0.0] * d, 0, 0.0
        for i in range(n):
            y = buf[idx]
            store = y * (1 - damp) + store * damp
            buf[idx] = src[i] + store * room
            idx = idx + 1 if idx + 1 < d else 0
            acc[i] += y
    for d in (556, 225):
        buf, idx = [0.0] * d, 0
        for i in range(n):
            b = buf[idx]
            y = -acc[i] + b
            buf[idx] = acc[i] + b * 0.5
            idx = idx + 1 if idx + 1 < d else 0
            acc[i] = y
    return [src[i] + wet * 0.25 * acc[i] for i in range(n)]


# ---------------------------------------------------------------- loudness

def rms(x):
    return math.sqrt(sum(v * v for v in x) / len(x)) if x else 0.0


def trim_tail(x):
    floor = 10 ** (TAIL_FLOOR_DB / 20) * max(abs(v) for v in x)
    end = len(x)
    while end > 1 and abs(x[end - 1]) < floor:
        end -= 1
    fade = min(int(0.01 * RATE), end)
    out = x[:end]
    for i in range(fade):
        out[end - 1 - i] *= i / fade
    return out


def soft_limit(v):
    """Linear up to 80 % of the ceiling, then bends smoothly towards it."""
    knee = 0.8 * PEAK_CEILING
    a = abs(v)
    if a <= knee:
        return v
    room = PEAK_CEILING - knee
    return math.copysign(knee + room * math.tanh((a - knee) / room), v)


def level(x, target_db):
    """Scales to the target RMS; peaks that would pass the ceiling are bent
    under it, and the gain is searched so the RMS still lands on target."""
    target = 10 ** (target_db / 20)
    lo, hi = 0.0, 8.0 * target / max(rms(x), 1e-9)
    for _ in range(40):
        g = (lo + hi) / 2
        if rms([soft_limit(g * v) for v in x]) < target:
            lo = g
        else:
            hi = g
    return [soft_limit(lo * v) for v in x]


# ---------------------------------------------------------------- the sounds
# C major and its pentatonic throughout, so jingles and effects that overlap
# never clash.

def s_opening():
    # A calm 4-second rise: a pad swells under a bell arpeggio that climbs and
    # settles on a wide C major 9 chord.
    out = silence(0.0)
    for m in (48, 55, 64):
        mix(out, swell(midi(m), 4.0, attack=1.2), 0.0, 0.22)
    for k, m in enumerate((60, 64, 67, 71, 74, 79)):
        mix(out, tone(midi(m), 2.4, BELL, decay=0.9), 0.18 + 0.32 * k, 0.34)
    for m in (72, 76, 79, 86):
        mix(out, tone(midi(m), 2.2, SOFT_BELL, decay=0.8, attack=0.02), 2.2, 0.2)
    return reverb(out, wet=0.35)


def s_start():
    # Button confirm: two quick rising bell notes.
    out = silence(0.0)
    mix(out, tone(midi(76), 0.35, BELL, decay=0.18), 0.0, 0.5)
    mix(out, tone(midi(83), 0.45, BELL, decay=0.22), 0.07, 0.55)
    return reverb(out, wet=0.15)


def s_gamestart():
    # "Ready, go": three marimba pick-ups and a bright brass chord.
    out = silence(0.0)
    for k, m in enumerate((67, 72, 76)):
        mix(out, tone(midi(m), 0.3, MARIMBA, decay=0.12), 0.12 * k, 0.45)
    for m in (72, 76, 79, 84):
        mix(out, tone(midi(m), 0.9, BRASS, attack=0.02, decay=0.5, release=0.25), 0.38, 0.16)
    return reverb(out, wet=0.22)


def s_question():
    # A new place to find: a soft, round two-tone ping.
    out = silence(0.0)
    mix(out, tone(midi(79), 0.35, SOFT_BELL, decay=0.12, attack=0.006), 0.0, 0.5)
    mix(out, tone(midi(84), 0.4, SOFT_BELL, decay=0.14, attack=0.006), 0.06, 0.4)
    return reverb(out, wet=0.12)


def s_count_down():
    # A gentle wooden tick: short pitched body over a muted click.
    out = tone(midi(86), 0.09, MARIMBA, attack=0.001, decay=0.018, release=0.01)
    mix(out, click(0.03, seed=7, bright=0.2), 0.0, 0.3)
    return out


def s_touch_just():
    # First-tap answer: the brightest sound of the set, a fast rising triad
    # with a sparkle on top.
    out = silence(0.0)
    for k, m in enumerate((79, 84, 88)):
        mix(out, tone(midi(m), 0.5, BELL, decay=0.2), 0.05 * k, 0.42)
    mix(out, tone(midi(100), 0.3, SOFT_BELL, decay=0.08), 0.12, 0.15)
    return reverb(out, wet=0.18)


def s_touch_in():
    # Right after a miss: still rewarding, warmer and plainer than "just".
    out = silence(0.0)
    mix(out, tone(midi(72), 0.45, SOFT_BELL, decay=0.18), 0.0, 0.5)
    mix(out, tone(midi(79), 0.5, SOFT_BELL, decay=0.2), 0.06, 0.5)
    return reverb(out, wet=0.15)


def s_touch_out():
    # A wrong tap: a short, soft, low buzz bending down.
    return reverb(buzz(midi(43), 0.28, glide=-1.5), wet=0.1)


def s_miss():
    # The answer time ran out: two falling buzz notes.
    out = silence(0.0)
    mix(out, buzz(midi(46), 0.22, harmonics=7), 0.0, 0.8)
    mix(out, buzz(midi(41), 0.45, glide=-2.0, harmonics=7), 0.2, 0.8)
    return reverb(out, wet=0.12)


def s_lvup():
    # Level up: a quick rising arpeggio into a held major chord.
    out = silence(0.0)
    for k, m in enumerate((72, 76, 79, 84)):
        mix(out, tone(midi(m), 0.35, MARIMBA, decay=0.14), 0.07 * k, 0.4)
    for m in (76, 79, 84, 88):
        mix(out, tone(midi(m), 0.9, BRASS, attack=0.015, decay=0.45, release=0.3), 0.3, 0.13)
    return reverb(out, wet=0.22)


def s_stop():
    # Time is up: a descending bell figure landing on a low chord.
    out = silence(0.0)
    for k, m in enumerate((84, 79, 76)):
        mix(out, tone(midi(m), 0.4, BELL, decay=0.2), 0.14 * k, 0.4)
    for m in (60, 67, 72):
        mix(out, tone(midi(m), 1.3, BELL, decay=0.6), 0.45, 0.3)
    return reverb(out, wet=0.28)


def s_result():
    # The results screen: a warm two-chord cadence (F to C) with bells on top.
    out = silence(0.0)
    for m in (53, 65, 69, 72):
        mix(out, tone(midi(m), 0.9, BRASS, attack=0.03, decay=0.6, release=0.3), 0.0, 0.12)
    for m in (48, 64, 67, 72, 76):
        mix(out, tone(midi(m), 1.4, BRASS, attack=0.03, decay=0.8, release=0.5), 0.7, 0.11)
    for k, m in enumerate((79, 84, 88)):
        mix(out, tone(midi(m), 1.0, BELL, decay=0.4), 0.75 + 0.1 * k, 0.18)
    return reverb(out, wet=0.3)


def s_ranking():
    # Entering the ranking: a brighter fanfare, rising fourths to a high C.
    out = silence(0.0)
    for k, m in enumerate((67, 72, 77, 79)):
        mix(out, tone(midi(m), 0.3, BRASS, attack=0.01, decay=0.25, release=0.08), 0.13 * k, 0.25)
    for m in (72, 76, 79, 84):
        mix(out, tone(midi(m), 1.3, BRASS, attack=0.02, decay=0.7, release=0.5), 0.55, 0.13)
    mix(out, tone(midi(96), 1.0, BELL, decay=0.35), 0.6, 0.16)
    return reverb(out, wet=0.3)


def s_unlock():
    # Something new unlocked: a shimmering run up the pentatonic scale over a
    # soft pad.
    out = silence(0.0)
    for m in (60, 67, 76):
        mix(out, swell(midi(m), 1.6, attack=0.25), 0.0, 0.16)
    for k, m in enumerate((72, 74, 76, 79, 81, 84, 86, 88, 91)):
        mix(out, tone(midi(m), 0.6, BELL, decay=0.22), 0.06 * k, 0.22)
    mix(out, tone(midi(96), 0.9, SOFT_BELL, decay=0.4, vibrato=10.0), 0.6, 0.2)
    return reverb(out, wet=0.3)


# name: (builder, channel, target loudness)
# Channels decide what may overlap. "jingle" holds the scene jingles, so each
# cuts the one before; "se" the tap and answer effects, one at a time;
# "fanfare" the rewards that follow an answer (level up 0.25 s after it) and
# must not cut it; "question" and "tick" are their own, so the next question's
# ping and the count-down mix with whatever else is playing.
SOUNDS = {
    "opening": (s_opening, "jingle", TARGET_RMS_DB),
    "gamestart": (s_gamestart, "jingle", TARGET_RMS_DB),
    "stop": (s_stop, "jingle", TARGET_RMS_DB),
    "result": (s_result, "jingle", TARGET_RMS_DB),
    "ranking": (s_ranking, "jingle", TARGET_RMS_DB),
    "start": (s_start, "se", TARGET_RMS_DB),
    "touch_just": (s_touch_just, "se", TARGET_RMS_DB),
    "touch_in": (s_touch_in, "se", TARGET_RMS_DB),
    "touch_out": (s_touch_out, "se", BUZZ_RMS_DB),
    "miss": (s_miss, "se", BUZZ_RMS_DB),
    "lvup": (s_lvup, "fanfare", TARGET_RMS_DB),
    "unlock": (s_unlock, "fanfare", TARGET_RMS_DB),
    "question": (s_question, "question", TARGET_RMS_DB),
    "count_down": (s_count_down, "tick", TICK_RMS_DB),
}


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(v * 32767))))) for v in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def update_params(table):
    """Load-modify-write of the shared parameter file: only "audio" changes."""
    path = os.path.join(ROOT, "devdata", "params.json")
    with open(path, encoding="utf-8") as f:
        params = json.load(f)
    params["audio"] = table
    with open(path, "w", encoding="utf-8") as f:
        json.dump(params, f, indent=1, sort_keys=True, ensure_ascii=False)


def main(names):
    out_dir = os.path.join(ROOT, "devdata", SOUND_DIR)
    os.makedirs(out_dir, exist_ok=True)
    table = {}
    for name, (build, channel, target_db) in SOUNDS.items():
        file = SOUND_DIR + "/" + name + ".wav"
        table[name] = {"file": file, "ch": channel, "loop": False}
        if names and name not in names:
            continue
        samples = level(trim_tail(build()), target_db)
        write_wav(os.path.join(ROOT, "devdata", file), samples)
        print("%-11s %5.2f s  rms %6.1f dB  peak %5.1f dB" % (
            name, len(samples) / RATE, 20 * math.log10(rms(samples)),
            20 * math.log10(max(abs(v) for v in samples))))
    update_params(table)


if __name__ == "__main__":
    main(set(sys.argv[1:]))
