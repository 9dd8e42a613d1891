#!/usr/bin/env python3
"""Checks a recording of the null sink (raw s16le, mono, 22050 Hz) for the hourly signal:
the PIEP tone, at least two quarter-second pauses, then the announcement joined from the
given clips at their own level, and nothing after it.

usage: announcement-check.py RECORDING CLIPS_FOLDER WORD...
The words name VOICE1 clips ("ES IST ~ ZEHN UHR"); PIEP comes from SOUNDS.
"""

import math
import os
import struct
import sys
import wave

RATE, FRAME, LOUD = 22050, 110, 300  # frames of 5 ms; an envelope level that counts as sound


def samples(data):
    return struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])


def envelope(s):
    return [math.sqrt(sum(x * x for x in s[i:i + FRAME]) / FRAME)
            for i in range(0, len(s) - FRAME + 1, FRAME)]


def correlation(a, b):
    ma, mb = sum(a) / len(a), sum(b) / len(b)
    cov = sum((x - ma) * (y - mb) for x, y in zip(a, b))
    va, vb = math.sqrt(sum((x - ma) ** 2 for x in a)), math.sqrt(sum((y - mb) ** 2 for y in b))
    return cov / (va * vb) if va > 0 and vb > 0 else 0.0


def level(s):
    return 20 * math.log10(math.sqrt(sum(x * x for x in s) / len(s)) / 32768)


def loud_run(env, start):
    """The first loud frame from start and the frame after its run of sound (gaps of up to
    20 ms inside the run are bridged); None, None when nothing is loud."""
    first = next((i for i in range(start, len(env)) if env[i] > LOUD), None)
    end = first
    for i in range(len(env) if first is None else first, len(env)):
        if env[i] > LOUD:
            end = i + 1
        elif i - end >= 4:
            break
    return first, end


def main():
    recording = samples(open(sys.argv[1], "rb").read())
    words = sys.argv[3:]
    env = envelope(recording)
    ms = lambda frames: frames * FRAME * 1000 // RATE

    piep_start, piep_end = loud_run(env, 0)
    if piep_start is None:
        sys.exit("FAIL: nothing was heard")
    piep = recording[piep_start * FRAME:piep_end * FRAME]
    tone = sum(1 for a, b in zip(piep, piep[1:]) if (a < 0) != (b < 0)) / 2 / (len(piep) / RATE)
    if not 170 <= ms(piep_end - piep_start) <= 240 or not 900 <= tone <= 1100:
        sys.exit("FAIL: the first sound is no PIEP: %d ms at %.0f Hz" % (ms(piep_end - piep_start), tone))

    expected = []
    for word in words:
        with wave.open(os.path.join(sys.argv[2], "VOICE1", word + ".wav"), "rb") as clip:
            expected += samples(clip.readframes(clip.getnframes()))
    template = envelope(expected)
    # The envelope finds the announcement to a frame or two; the samples themselves then
    # give the exact place, and the whole announcement must match the joined clips there.
    offset = max(range(piep_end, len(env) - len(template)),
                 key=lambda at: correlation(template, env[at:at + len(template)]))
    head = expected[:2000]
    start = max(range(max(0, (offset - 3) * FRAME), (offset + 3) * FRAME),
                key=lambda at: correlation(head, recording[at:at + len(head)]))
    match = correlation(expected, recording[start:start + len(expected)])
    offset = start // FRAME
    gap = ms(offset - piep_end)
    heard = recording[start:start + len(expected)]
    print("PIEP at %d ms (%d ms, %.0f Hz); announcement %s at %d ms, %d ms after the beep, "
          "sample correlation with the joined clips %.3f; level: clips %.1f dBFS, heard %.1f dBFS"
          % (ms(piep_start), ms(piep_end - piep_start), tone, " ".join(words), ms(offset), gap,
             match, level(expected), level(heard)))
    if match < 0.95:
        sys.exit("FAIL: the announcement is not the joined clips (correlation %.3f)" % match)
    if not 480 <= gap <= 3000:
        sys.exit("FAIL: %d ms between beep and announcement; two pauses need 500 ms" % gap)
    if max(env[piep_end:offset - 2] or [0]) > LOUD:
        sys.exit("FAIL: something was heard between the beep and the announcement")
    after, _ = loud_run(env, offset + len(template) + 4)
    if after is not None:
        sys.exit("FAIL: more sound %d ms after the announcement" % ms(after - offset - len(template)))
    if abs(level(expected) - level(heard)) > 3:
        sys.exit("FAIL: the announcement was not played at its own level")


if __name__ == "__main__":
    main()
