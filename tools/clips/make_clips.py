#!/usr/bin/env python3
"""Makes the clock's voice clips and sounds.

Every word clip is cut out of a whole German phrase spoken by espeak-ng, so that stems and
endings ("zwan", "zig", "un", "ste") keep the sound they have inside a word. libespeak-ng
reports where every word and phoneme starts (in samples); the cut points come from there.
Each clip is high-passed with sox, trimmed of silence, given short fades so that joined
clips never click, and levelled so that all clips have the same RMS loudness without
clipping. The three sounds (ALARM, PIEP, PLONG) are synthesised here.

Output: speech/clips/VOICE1/<NAME>.wav and speech/clips/SOUNDS/<NAME>.wav, canonical
44-byte-header PCM WAVE, 22050 Hz, 16 bit, mono (PLONG stereo).

Needs: python3, espeak-ng (libespeak-ng1), sox.  Run from anywhere:
    python3 tools/clips/make_clips.py [--voice de] [--rate 150] [--out speech/clips]
"""

import argparse
import ctypes
import math
import os
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 22050
FADE_MS = 4          # fade in and out of every word clip
KEEP_SILENCE_MS = 6  # near-silence kept at either end after trimming
SILENCE_DB = -48     # what counts as silence when trimming
PEAK_LIMIT_DB = -1.0 # no clip peaks above this
TARGET_RMS_DB = -18.0

# Phoneme names that espeak-ng reports for pauses and boundaries, not for sounds.
MARKERS = {"_", "_!", "_|", "_:", "_;", "_^_", "_!_"}

# (clip name, phrase, the phonemes to cut out of it). The phonemes are espeak-ng's names for
# the sounds of the word or fragment; the first place where they follow each other in the
# phrase is cut. Numbers and stems are said in "Es ist ... Uhr.", where an hour stands.
HOUR = "Es ist {} Uhr."
CLIPS = [
    ("ES", "Es ist zehn Uhr sieben.", "E s"),
    ("IST", "Es ist zehn Uhr sieben.", "I s t"),
    ("UHR", "Es ist zehn Uhr sieben.", "u: r"),
    ("UND", "sieben und eine Sekunde.", "U n t"),
    ("EINE", "sieben und eine Sekunde.", "aI n @"),
    ("SEKUNDE", "sieben und eine Sekunde.", "z e: k U n d @"),
    ("SEKUNDEN", "und zwei Sekunden.", "z e: k U n d @ n"),
    ("HEUTE", "Heute ist der erste März.", "h OY t @"),
    ("DER", "Heute ist der erste März.", "d E r"),
    ("NULL", HOUR.format("null"), "n U l"),
    ("EIN", HOUR.format("ein"), "aI n"),
    ("EINS", "Es ist ein Uhr eins.", "aI n s"),
    ("ZWEI", HOUR.format("zwei"), "ts v aI"),
    ("DREI", HOUR.format("drei"), "d r aI"),
    ("VIER", HOUR.format("vier"), "f i: r"),
    ("FUENF", HOUR.format("fünf"), "f y n f"),
    ("SECHS", HOUR.format("sechs"), "z E k s"),
    ("SIEBEN", HOUR.format("sieben"), "z i: b @ n"),
    ("ACHT", HOUR.format("acht"), "a x t"),
    ("NEUN", HOUR.format("neun"), "n OY n"),
    ("ZEHN", HOUR.format("zehn"), "ts e: n"),
    ("ELF", HOUR.format("elf"), "E l f"),
    ("ZWOELF", HOUR.format("zwölf"), "ts v W l f"),
    # stems and endings, cut out of whole words
    ("SECH", HOUR.format("sechzehn"), "z E C"),
    ("SIEB", HOUR.format("siebzehn"), "z i: p"),
    ("ZWAN", HOUR.format("zwanzig"), "ts v a n"),
    ("ZIG", HOUR.format("zwanzig"), "ts I C"),
    ("SSIG", HOUR.format("dreißig"), "s I C"),
    ("UN", HOUR.format("einundzwanzig"), "U n"),
    ("HUNDERT", "der erste März neunzehnhundertneun.", "h U n d 3 t"),
    ("TAUSEND", "der erste März zweitausendzwei.", "t aU z @ n t"),
    ("DRIT", "der dritte März.", "d r I t"),
    ("ACH", "der achte März.", "a x"),
    ("ER", "der erste März.", "e: r"),
    ("TE", "der vierte März.", "t @"),
    ("STE", "der zwanzigste März.", "s t @"),
    # weekdays and months
    *[(day.upper(), "Heute ist {}, der erste März.".format(day), sounds)
      for day, sounds in (("Montag", "m o: n t A: k"), ("Dienstag", "d i: n s t A: k"),
                          ("Mittwoch", "m I t v O x"), ("Donnerstag", "d O n 3 s t A: k"),
                          ("Freitag", "f r aI t A: k"), ("Samstag", "z a m s t A: k"),
                          ("Sonntag", "z O n t A: k"))],
    *[(name, "der erste {} zweitausend.".format(month), sounds)
      for name, month, sounds in (
          ("JANUAR", "Januar", "j a n u: A: r"), ("FEBRUAR", "Februar", "f E b r u: A: r"),
          ("MAERZ", "März", "m E r ts"), ("APRIL", "April", "a p r i: l"),
          ("MAI", "Mai", "m aI"), ("JUNI", "Juni", "j u: n i:"), ("JULI", "Juli", "j u: l i:"),
          ("AUGUST", "August", "aU g U s t"), ("SEPTEMBER", "September", "z E p t E2 m b 3"),
          ("OKTOBER", "Oktober", "O k t o: b 3"), ("NOVEMBER", "November", "n o: v E2 m b 3"),
          ("DEZEMBER", "Dezember", "d e: ts E2 m b 3"))],
]
PAUSE_SAMPLES = 5512  # "~": a quarter second of silence


# --- espeak-ng through its library -------------------------------------------------------

class _EventId(ctypes.Union):
    _fields_ = [("number", ctypes.c_int), ("name", ctypes.c_char_p),
                ("string", ctypes.c_char * 8)]


class _Event(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("unique_identifier", ctypes.c_uint),
                ("text_position", ctypes.c_int), ("length", ctypes.c_int),
                ("audio_position", ctypes.c_int), ("sample", ctypes.c_int),
                ("user_data", ctypes.c_void_p), ("id", _EventId)]


_CALLBACK = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(ctypes.c_short), ctypes.c_int,
                             ctypes.POINTER(_Event))
_EVENT_END_OF_LIST, _EVENT_PHONEME = 0, 7
_AUDIO_OUTPUT_SYNCHRONOUS, _INITIALIZE_PHONEME_EVENTS = 2, 1
_POS_CHARACTER, _CHARS_UTF8 = 1, 1
_PARAM_RATE = 1


class Speaker:
    """Speaks a phrase and returns its samples and the first sample of every phoneme."""

    def __init__(self, voice, rate):
        self._lib = ctypes.CDLL("libespeak-ng.so.1")
        if self._lib.espeak_Initialize(_AUDIO_OUTPUT_SYNCHRONOUS, 0, None,
                                       _INITIALIZE_PHONEME_EVENTS) != RATE:
            sys.exit("espeak-ng does not speak at %d Hz" % RATE)
        self._callback = _CALLBACK(self._collect)
        self._lib.espeak_SetSynthCallback(self._callback)
        if self._lib.espeak_SetVoiceByName(voice.encode()) != 0:
            sys.exit("espeak-ng has no voice %r" % voice)
        self._lib.espeak_SetParameter(_PARAM_RATE, rate, 0)

    def _collect(self, wav, count, events):
        if wav and count > 0:
            self._samples.extend(wav[:count])
        i = 0
        while events[i].type != _EVENT_END_OF_LIST:
            e = events[i]
            if e.type == _EVENT_PHONEME:
                self._phonemes.append((e.id.string.decode(), e.sample))
            i += 1
        return 0

    def speak(self, phrase):
        self._samples, self._phonemes = [], []
        text = phrase.encode()
        self._lib.espeak_Synth(text, len(text) + 1, 0, _POS_CHARACTER, 0, _CHARS_UTF8,
                               None, None)
        self._lib.espeak_Synchronize()
        return self._samples, self._phonemes


def sounding_phonemes(phonemes, total):
    """The phonemes that make a sound, as (name, first sample, end sample); a phoneme ends
    where the next event of any kind starts."""
    bounds = [at for _, at in phonemes] + [total]
    return [(name, at, bounds[i + 1]) for i, (name, at) in enumerate(phonemes)
            if name not in MARKERS]


def find_sounds(found, sounds):
    """The first run of phonemes named like `sounds`; empty when there is none."""
    names = sounds.split()
    for i in range(len(found) - len(names) + 1):
        if [n for n, _, _ in found[i:i + len(names)]] == names:
            return found[i:i + len(names)]
    return []


# --- sample processing -------------------------------------------------------------------

def sox_highpass(samples):
    """Removes rumble and DC below 80 Hz (sox, on the whole phrase before cutting), with
    headroom so that the filter never clips."""
    with tempfile.TemporaryDirectory() as tmp:
        src, dst = os.path.join(tmp, "in.wav"), os.path.join(tmp, "out.wav")
        write_wave(src, samples, 1)
        subprocess.run(["sox", src, dst, "gain", "-3", "highpass", "80"], check=True)
        return read_wave(dst)


def db(value):
    return 20 * math.log10(value) if value > 0 else -200.0


def rms(samples):
    return math.sqrt(sum(s * s for s in samples) / len(samples)) / 32768 if samples else 0.0


def peak(samples):
    return max(abs(s) for s in samples) / 32768 if samples else 0.0


def trim(samples):
    """Cuts near-silence at both ends, keeping a few milliseconds of it."""
    limit = 32768 * 10 ** (SILENCE_DB / 20)
    loud = [i for i, s in enumerate(samples) if abs(s) > limit]
    if not loud:
        return samples
    keep = RATE * KEEP_SILENCE_MS // 1000
    return samples[max(0, loud[0] - keep):loud[-1] + 1 + keep]


def fade(samples, ms=FADE_MS):
    """Raised-cosine fade in and out, so a join never starts or ends on a step."""
    n = min(len(samples) // 2, RATE * ms // 1000)
    out = [float(s) for s in samples]
    for i in range(n):
        g = 0.5 - 0.5 * math.cos(math.pi * i / n)
        out[i] *= g
        out[-1 - i] *= g
    return out


def to_int16(samples, gain=1.0):
    return [max(-32768, min(32767, int(round(s * gain)))) for s in samples]


def write_wave(path, samples, channels):
    with wave.open(path, "wb") as w:  # writes the canonical 44-byte header
        w.setnchannels(channels)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))


def read_wave(path):
    with wave.open(path, "rb") as w:
        data = w.readframes(w.getnframes())
    return list(struct.unpack("<%dh" % (len(data) // 2), data))


# --- the clips ---------------------------------------------------------------------------

def cut_clip(speaker, phrase, sounds):
    samples, phonemes = speaker.speak(phrase)
    run = find_sounds(sounding_phonemes(phonemes, len(samples)), sounds)
    if not run:
        sys.exit("espeak-ng does not say %r in %r" % (sounds, phrase))
    filtered = sox_highpass(samples)
    return trim(filtered[run[0][1]:run[-1][2]])


def level(clips):
    """One gain per clip so that every clip has the same RMS and none peaks above the limit:
    the common target is lowered until the clip with the highest crest fits."""
    target = TARGET_RMS_DB
    for samples in clips.values():
        target = min(target, db(rms(samples)) + PEAK_LIMIT_DB - db(peak(samples)))
    return {name: to_int16(s, 10 ** ((target - db(rms(s))) / 20)) for name, s in clips.items()}


def make_voice(out, voice, rate):
    speaker = Speaker(voice, rate)
    clips = {}
    for name, phrase, sounds in CLIPS:
        clips[name] = fade(cut_clip(speaker, phrase, sounds))
    folder = os.path.join(out, "VOICE1")
    os.makedirs(folder, exist_ok=True)
    for name, samples in level(clips).items():
        write_wave(os.path.join(folder, name + ".wav"), samples, 1)
    write_wave(os.path.join(folder, "~.wav"), [0] * PAUSE_SAMPLES, 1)


# --- the sounds --------------------------------------------------------------------------

def tone(freqs, seconds, amplitude, decay=0.0):
    n = int(RATE * seconds)
    return [amplitude * math.exp(-decay * i / RATE) *
            sum(a * math.sin(2 * math.pi * f * i / RATE) for f, a in freqs) for i in range(n)]


def alarm():
    """Half a second: four short bursts of a bright 2 kHz tone, the classic alarm clock."""
    burst = fade(tone([(2000, 0.8), (4000, 0.2)], 0.075, 20000), 3)
    gap = [0.0] * int(RATE * 0.05)
    samples = (burst + gap) * 4
    samples += [0.0] * (RATE // 2 - len(samples))
    return to_int16(samples[:RATE // 2])


def piep():
    """The hourly beep: a clean 1 kHz sine of 0.2 s."""
    return to_int16(fade(tone([(1000, 1.0)], 0.2, 16000), 5))


def plong():
    """A soft stereo click: a falling wooden knock, a little louder on the left."""
    n = int(RATE * 0.12)
    left, right = [], []
    for i in range(n):
        t = i / RATE
        f = 700 - 2000 * t  # the pitch drops as it decays
        v = 22000 * math.exp(-t * 45) * math.sin(2 * math.pi * f * t)
        left.append(v)
        right.append(0.7 * v)
    left, right = fade(left, 1), fade(right, 1)
    frames = []
    for l, r in zip(to_int16(left), to_int16(right)):
        frames += [l, r]
    return frames


def make_sounds(out):
    folder = os.path.join(out, "SOUNDS")
    os.makedirs(folder, exist_ok=True)
    write_wave(os.path.join(folder, "ALARM.wav"), alarm(), 1)
    write_wave(os.path.join(folder, "PIEP.wav"), piep(), 1)
    write_wave(os.path.join(folder, "PLONG.wav"), plong(), 2)


def main():
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--voice", default="de")
    parser.add_argument("--rate", type=int, default=150, help="words per minute")
    parser.add_argument("--out", default=os.path.join(root, "speech", "clips"))
    args = parser.parse_args()
    make_voice(args.out, args.voice, args.rate)
    make_sounds(args.out)


if __name__ == "__main__":
    main()
