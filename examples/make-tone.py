#!/usr/bin/env python3
"""Writes tone.wav: 0.2 s of a 660 Hz tone, 8 kHz, 8-bit mono PCM (1.6 kB).

The format every sound service plays. Short fades at both ends keep it from
clicking when it loops.
"""
import math
import pathlib
import wave

RATE = 8000
SECONDS = 0.2
FREQUENCY = 660.0
FADE = 160  # samples, 20 ms

frames = bytearray()
count = int(RATE * SECONDS)
for i in range(count):
    gain = min(1.0, i / FADE, (count - 1 - i) / FADE)
    sample = 0.6 * gain * math.sin(2 * math.pi * FREQUENCY * i / RATE)
    frames.append(128 + round(127 * sample))

out = pathlib.Path(__file__).with_name("tone.wav")
with wave.open(str(out), "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(1)
    w.setframerate(RATE)
    w.writeframes(bytes(frames))
