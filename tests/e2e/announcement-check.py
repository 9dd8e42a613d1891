#!/usr/bin/env python3
"""Checks a recording of the null sink (raw s16le, mono, 22050 Hz) for the hourly signal:
the PIEP tone, at least two quarter-second pauses, then the announcement joined from the
given clips, and nothing after it.

usage: announcement-check.py RECORDING CLIPS_FOLDER WORD...
The words name VOICE1 clips ("ES IST ~ ZEHN UHR"); PIEP comes from SOUNDS.
"""

import math
import os
import struct
import sys
import wave

RATE = 22050
FRAME = 110  # 5 ms
LOUD = 300   # envelope level that counts as sound


def read_raw(path):
    data = open(path, "rb").read()
    return struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])


def read_clip(path):
    with wave.open(path, "rb") as w:
        data = w.readframes(w.getnframes())
    return struct.unpack("<%dh" % (len(data) // 2), data)


def envelope(samples):
    return [math.sqrt(sum(s * s for s in samples[i:i + FRAME]) / FRAME)
            for i in range(0, len(samples) - FRAME + 1, FRAME)]


def correlation(a, b):
    n = len(a)
    ma, mb = sum(a) / n, sum(b) / n
    cov = sum((x - ma) * (y - mb) for x, y in zip(a, b))
    va = math.sqrt(sum((x - ma) ** 2 for x in a))
    vb = math.sqrt(sum((y - mb) ** 2 for y in b))
    return cov / (va * vb) if va > 0 and vb > 0 else 0.0


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def loud_run(env, start):
    """First frame from start that is loud, and the frame after its run of sound (gaps of up
    to 20 ms inside the run are bridged)."""
    first = next((i for i in range(start, len(env)) if env[i] > LOUD), None)
    if first is None:
        return None, None
    end, quiet = first, 0
    for i in range(first, len(env)):
        if env[i] > LOUD:
            end, quiet = i + 1, 0
        else:
            quiet += 1
            if quiet > 4:
                break
    return first, end


def main():
    recording = read_raw(sys.argv[1])
    clips = sys.argv[2]
    words = sys.argv[3:]
    env = envelope(recording)
    ms = lambda frames: frames * FRAME * 1000 // RATE

    piep_start, piep_end = loud_run(env, 0)
    if piep_start is None:
        fail("nothing was heard")
    piep = recording[piep_start * FRAME:piep_end * FRAME]
    crossings = sum(1 for a, b in zip(piep, piep[1:]) if (a < 0) != (b < 0))
    tone = crossings / 2 / (len(piep) / RATE)
    if not 170 <= ms(piep_end - piep_start) <= 240 or not 900 <= tone <= 1100:
        fail("the first sound is no PIEP: %d ms at %.0f Hz" % (ms(piep_end - piep_start), tone))

    expected = []
    for word in words:
        expected += read_clip(os.path.join(clips, "VOICE1", word + ".wav"))
    template = envelope(expected)
    best, offset = -1.0, 0
    for start in range(piep_end, len(env) - len(template)):
        c = correlation(template, env[start:start + len(template)])
        if c > best:
            best, offset = c, start
    # The envelope finds the announcement to a frame or two; the samples themselves then
    # give the exact place, and the whole announcement must match the joined clips there.
    coarse, head = offset * FRAME, expected[:2000]
    lags = range(max(0, coarse - 3 * FRAME), coarse + 3 * FRAME)
    start = max(lags, key=lambda at: correlation(head, recording[at:at + len(head)]))
    match = correlation(expected, recording[start:start + len(expected)])
    offset = start // FRAME
    gap = ms(offset - piep_end)
    print("PIEP at %d ms (%d ms, %.0f Hz); announcement %s at %d ms, %d ms after the beep, "
          "sample correlation with the joined clips %.3f" % (
              ms(piep_start), ms(piep_end - piep_start), tone, " ".join(words), ms(offset), gap,
              match))
    if match < 0.95:
        fail("the announcement is not the joined clips (correlation %.3f)" % match)
    if not 480 <= gap <= 3000:
        fail("%d ms between beep and announcement; two pauses need 500 ms" % gap)
    quiet_before = max(env[piep_end:offset - 2] or [0])
    if quiet_before > LOUD:
        fail("something was heard between the beep and the announcement")
    after, _ = loud_run(env, offset + len(template) + 4)
    if after is not None:
        fail("more sound %d ms after the announcement" % ms(after - offset - len(template)))
    level = lambda s: 20 * math.log10(math.sqrt(sum(x * x for x in s) / len(s)) / 32768)
    heard = recording[start:start + len(expected)]
    print("level: clips %.1f dBFS, heard %.1f dBFS" % (level(expected), level(heard)))
    if abs(level(expected) - level(heard)) > 3:
        fail("the announcement was not played at its own level")


if __name__ == "__main__":
    main()
