#!/usr/bin/env python3
"""Checks a recording of the null sink (raw s16le, mono, 22050 Hz) for the hourly signal:
the PIEP tone, at least two quarter-second pauses, then the announcement joined from the
given clips at their own level, and nothing after it.
usage: announcement-check.py RECORDING CLIPS_FOLDER WORD... (VOICE1 clips: ES IST ~ ZEHN UHR)
"""
import math, os, struct, sys, wave

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
    first = end = next((i for i in range(start, len(env)) if env[i] > LOUD), None)
    while end is not None and any(x > LOUD for x in env[end:end + 5]):
        end += max(i for i, x in enumerate(env[end:end + 5]) if x > LOUD) + 1
    return first, end


recording, words = samples(open(sys.argv[1], "rb").read()), sys.argv[3:]
env, ms = envelope(recording), lambda frames: frames * FRAME * 1000 // RATE
piep_start, piep_end = loud_run(env, 0)
if piep_start is None:
    sys.exit("FAIL: nothing was heard")
piep = recording[piep_start * FRAME:piep_end * FRAME]
tone = sum(1 for a, b in zip(piep, piep[1:]) if (a < 0) != (b < 0)) / 2 / (len(piep) / RATE)
if not 170 <= ms(piep_end - piep_start) <= 240 or not 900 <= tone <= 1100:
    sys.exit("FAIL: the first sound is no PIEP: %d ms at %.0f Hz"
             % (ms(piep_end - piep_start), tone))
clips = [wave.open(os.path.join(sys.argv[2], "VOICE1", word + ".wav"), "rb") for word in words]
expected = [x for clip in clips for x in samples(clip.readframes(clip.getnframes()))]
template = envelope(expected)
# The envelope finds the announcement to a frame or two; the samples themselves then give
# the exact place, and the whole announcement must match the joined clips there.
offset = max(range(piep_end, len(env) - len(template)),
             key=lambda at: correlation(template, env[at:at + len(template)]))
start = max(range(max(0, (offset - 3) * FRAME), (offset + 3) * FRAME),
            key=lambda at: correlation(expected[:2000], recording[at:at + 2000]))
heard, offset = recording[start:start + len(expected)], start // FRAME
match, gap = correlation(expected, heard), ms(offset - piep_end)
after = loud_run(env, offset + len(template) + 4)[0]
print("PIEP at %d ms (%d ms, %.0f Hz); %s at %d ms, %d ms after it, correlation with the clips "
      "%.3f; level: clips %.1f, heard %.1f dBFS" % (ms(piep_start), ms(piep_end - piep_start), tone,
      " ".join(words), ms(offset), gap, match, level(expected), level(heard)))
between = max(env[piep_end:offset - 2] or [0])
for failed, why in [
    (match < 0.95, "the announcement is not the joined clips (correlation %.3f)" % match),
    (not 480 <= gap <= 3000, "%d ms between beep and announcement; two pauses need 500 ms" % gap),
    (between > LOUD, "something was heard between the beep and the announcement"),
    (after is not None, "more sound after the announcement, at %d ms" % ms(after or 0)),
    (abs(level(expected) - level(heard)) > 3, "the announcement was not played at its own level"),
]:
    if failed:
        sys.exit("FAIL: " + why)
