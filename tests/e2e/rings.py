#!/usr/bin/env python3
"""Finds the rings in a raw recording (s16le, mono, 44.1 kHz) of the null sink.

Prints one line per ring: its start in seconds and its loudest 10 ms RMS. The
monitor drops silence it never played, so rings are told apart by level, not time.
"""
import array
import math
import sys

RATE = 44100
FRAME = RATE // 100  # 10 ms
THRESHOLD = 0.003 * 32768  # well below a soft ring, well above silence
MIN_GAP_FRAMES = 6


def rings(path):
    samples = array.array("h")
    with open(path, "rb") as f:
        samples.frombytes(f.read())
    found, start, loudest, quiet = [], None, 0.0, 0
    for i in range(0, len(samples) - FRAME + 1, FRAME):
        frame = samples[i : i + FRAME]
        rms = math.sqrt(sum(s * s for s in frame) / FRAME)
        if rms >= THRESHOLD:
            if start is None:
                start, loudest = i, 0.0
            loudest, quiet = max(loudest, rms), 0
        elif start is not None:
            quiet += 1
            if quiet >= MIN_GAP_FRAMES:
                found.append((start / RATE, loudest))
                start = None
    if start is not None:
        found.append((start / RATE, loudest))
    return found


if __name__ == "__main__":
    for at, level in rings(sys.argv[1]):
        print(f"{at:.3f} {level:.1f}")
