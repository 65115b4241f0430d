#!/usr/bin/env python3
"""Writes data/stopwatch/countdown.wav: a soft three-note chime for an overdue count-down.

Each note is a sine with a quieter octave above it, a 5 ms attack and an exponential decay, so the chime
sounds like a small bell rather than a beep. Run it again to regenerate the file; the output is deterministic.
"""
import math
import os
import struct
import wave

RATE = 22050
NOTES = [(659.25, 0.00), (783.99, 0.18), (1046.50, 0.36)]  # E5, G5, C6 and when each starts (s)
LENGTH = 1.4  # seconds
PEAK = 0.45 * 32767


def sample(t):
    value = 0.0
    for frequency, start in NOTES:
        u = t - start
        if u < 0:
            continue
        envelope = min(1.0, u / 0.005) * math.exp(-u * 4.0)
        value += envelope * (math.sin(2 * math.pi * frequency * u) + 0.3 * math.sin(4 * math.pi * frequency * u))
    fade = min(1.0, (LENGTH - t) / 0.05)  # no click at the end
    return value / 1.3 * fade


def main():
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "stopwatch", "countdown.wav")
    frames = b"".join(struct.pack("<h", int(PEAK * sample(i / RATE))) for i in range(int(RATE * LENGTH)))
    with wave.open(target, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


if __name__ == "__main__":
    main()
