#!/usr/bin/env python3
"""Finds the rings in a raw recording (s16le, mono, 44.1 kHz) of the null sink.

Prints one line per ring: its start in seconds, to the sample, and its loudest 10 ms
RMS. The monitor drops silence it never played, so rings are told apart by level, not
time; the times between the starts within one recording hold.
"""
import array
import math
import sys

RATE = 44100
FRAME = RATE // 100  # 10 ms
THRESHOLD = 0.003 * 32768  # well below a soft ring, well above silence
MIN_GAP_FRAMES = 6
ONSET = 0.005 * 32768  # a sample this loud starts a ring: within 0.1 ms of a soft ring's start


def onset(samples, frame_start):
    """The first sample of a ring whose first loud 10 ms frame starts at `frame_start`."""
    for i in range(max(0, frame_start - FRAME), min(len(samples), frame_start + FRAME)):
        if abs(samples[i]) >= ONSET:
            return i
    return frame_start


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
                found.append((onset(samples, start) / RATE, loudest))
                start = None
    if start is not None:
        found.append((onset(samples, start) / RATE, loudest))
    return found


if __name__ == "__main__":
    for at, level in rings(sys.argv[1]):
        print(f"{at:.5f} {level:.1f}")
