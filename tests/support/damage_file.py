#!/usr/bin/env python3
"""Writes a damaged or hostile copy of a game file, for the damaged-files test.

    damage_file.py KIND SOURCE TARGET [SOURCE TARGET ...]

SOURCE is read as the game would read it: a ".dz" file is decompressed first,
and the damaged text is compressed again, so the damage sits inside a sound
zlib stream ("truncated" and "garbage" damage the stream itself). KIND is one of
  truncated   the first half of the bytes
  empty       no bytes
  garbage     4 KiB of seeded random bytes
  root-number JSON whose root is the number 42
  swapped     JSON with the types two levels down swapped: objects and
              arrays become numbers, numbers become objects, strings arrays
  no-sections JSON with nothing in it: {} for an object, [] for an array
  huge        24 MiB: nested brackets for JSON, random bytes otherwise; a PNG
              whose header claims 16384 x 16384; a WAV whose header claims 2 GiB
"""
import json
import random
import struct
import sys
import zlib


def swap(v, depth):
    if depth == 0:
        if isinstance(v, (dict, list)):
            return 42
        if isinstance(v, bool) or isinstance(v, str):
            return [1]
        if isinstance(v, (int, float)):
            return {"n": 1}
        return 7
    if isinstance(v, dict):
        return {k: swap(x, depth - 1) for k, x in v.items()}
    if isinstance(v, list):
        return [swap(x, depth - 1) for x in v]
    return swap(v, 0)


def as_json(text):
    return json.dumps(text).encode()


def damaged(kind, source, target):
    packed = source.endswith(".dz")
    raw = open(source, "rb").read()
    plain = zlib.decompress(raw) if packed else raw
    rng = random.Random(f"{kind}:{target}")
    if kind == "truncated":
        out, packed_out = raw[: len(raw) // 2], False
    elif kind == "empty":
        out, packed_out = b"", False
    elif kind == "garbage":
        out, packed_out = bytes(rng.getrandbits(8) for _ in range(4096)), False
    elif kind == "root-number":
        out, packed_out = b"42", packed
    elif kind == "swapped":
        out, packed_out = as_json(swap(json.loads(plain), 2)), packed
    elif kind == "no-sections":
        out, packed_out = (b"[]" if plain.lstrip().startswith(b"[") else b"{}"), packed
    elif kind == "huge" and plain[:8] == b"\x89PNG\r\n\x1a\n":
        def chunk(tag, body):
            return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))
        ihdr = struct.pack(">IIBBBBB", 16384, 16384, 8, 2, 0, 0, 0)
        idat = zlib.compress(b"\0" * 1024)
        out, packed_out = plain[:8] + chunk(b"IHDR", ihdr) + chunk(b"IDAT", idat) + chunk(b"IEND", b""), False
    elif kind == "huge" and plain[:4] == b"RIFF":
        fmt = struct.pack("<HHIIHH", 1, 1, 22050, 44100, 2, 16)
        body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", 0x7FFFFFF0) + b"\0" * 64
        out, packed_out = b"RIFF" + struct.pack("<I", 0x7FFFFFF8) + body, False
    elif kind == "huge" and (source.endswith(".json") or packed):
        out, packed_out = b"[" * (24 << 20), packed
    elif kind == "huge":
        out, packed_out = rng.randbytes(24 << 20), False
    else:
        sys.exit(f"damage_file.py: unknown kind {kind}")
    return zlib.compress(out) if packed_out else out


kind, files = sys.argv[1], sys.argv[2:]
for source, target in zip(files[::2], files[1::2]):
    data = damaged(kind, source, target)
    open(target, "wb").write(data)
