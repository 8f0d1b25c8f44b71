#!/usr/bin/python3
"""Synthesises the camera's shutter sound, data/shatter.wam (WAV data, 16-bit mono).

Two short bursts of filtered noise (the shutter opening and closing) over a faint low
thump, with a fixed seed so that a rebuild gives the same bytes.
Run from anywhere: python3 scripts/make-shutter-sound.py
"""
import math
import pathlib
import random
import struct
import wave

RATE = 22050
OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "shatter.wam"


def burst(length_s, decay_s, amplitude, rng, smooth):
    samples = []
    last = 0.0
    for i in range(int(length_s * RATE)):
        t = i / RATE
        # A one-pole low-pass keeps the click from sounding like a hiss.
        last = smooth * last + (1 - smooth) * rng.uniform(-1.0, 1.0)
        samples.append(amplitude * last * math.exp(-t / decay_s))
    return samples


def shutter():
    rng = random.Random(7)
    total = [0.0] * int(0.22 * RATE)

    def mix(at_s, sound):
        start = int(at_s * RATE)
        for i, s in enumerate(sound):
            if start + i < len(total):
                total[start + i] += s

    mix(0.000, burst(0.050, 0.010, 1.6, rng, 0.35))
    mix(0.085, burst(0.070, 0.016, 1.9, rng, 0.55))
    thump = [0.35 * math.sin(2 * math.pi * 110 * i / RATE) * math.exp(-i / (0.02 * RATE))
             for i in range(int(0.06 * RATE))]
    mix(0.085, thump)
    peak = max(abs(s) for s in total)
    return [s / peak * 0.8 for s in total]


if __name__ == "__main__":
    with wave.open(str(OUT), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(s * 32767)) for s in shutter()))
    print("written:", OUT)
