#!/usr/bin/env python3
"""Synthesises the recogniser's measuring corpus: every phrase of bench/speech-corpus.txt said by
every voice below, once as synthesised and once in a reverberant room, as 16 kHz mono WAV files,
with a manifest (manifest.tsv) that names each file's voice, half, kind and expected command.

The voices are split in two halves by a seeded draw within each synthesiser: the recogniser is
tuned on the "tune" half and reported on the "eval" half only. Every random step is seeded, so a
rebuild gives the same files. Noise, the microphone's noise floor and steady noise are added by
the benchmark, seeded too.

Usage: scripts/make-speech-corpus.py OUTPUT_FOLDER [--jobs N]   (at most 4 jobs)
"""
import argparse
import concurrent.futures
import os
import random
import subprocess
import sys
import tempfile

SEED = 14
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# espeak-ng voices and variants, each at its own rate (words a minute) and pitch (0-99).
ESPEAK = [
    ("en-us", 175, 50), ("en-us+f3", 150, 70), ("en-us+m3", 190, 40), ("en-gb+m5", 170, 45),
    ("en-us+f2", 160, 60), ("en-us+m1", 180, 50), ("en-gb-scotland+m2", 140, 45),
    ("en-gb-x-rp+f4", 200, 60), ("en-029+m4", 160, 50), ("en-gb-x-gbclan+f1", 130, 55),
    ("en-gb-x-gbcwmd+m6", 185, 35), ("en-us+f5", 165, 80), ("en-us+m7", 145, 30),
    ("en-gb+f2", 195, 65),
]
# flite voices, each at a speaking rate (duration stretch: above 1 is slower).
FLITE = [("slt", 1.0), ("rms", 1.1), ("awb", 0.9), ("kal16", 1.0), ("kal", 1.15)]
# festival voices (festvox packages), each at a speaking rate.
FESTIVAL = [("kal_diphone", 1.0), ("ked_diphone", 0.9), ("cmu_us_slt_arctic_hts", 1.1)]
# Room sizes (sox reverb room scale, %) drawn from for the reverberant copy.
ROOMS = [30, 50, 70, 90]


def voices():
    found = [f"espeak:{v}:{rate}:{pitch}" for v, rate, pitch in ESPEAK]
    found += [f"flite:{v}:{stretch}" for v, stretch in FLITE]
    festival_voices = "/usr/share/festival/voices"
    for name, stretch in FESTIVAL:
        if any(os.path.isdir(os.path.join(festival_voices, language, name))
               for language in ("english", "us")):
            found.append(f"festival:{name}:{stretch}")
        else:
            print(f"festival voice {name} is not installed; left out", file=sys.stderr)
    return found


def split(all_voices):
    """Half of each synthesiser's voices (a seeded draw) is for tuning, the rest for the report."""
    draw = random.Random(SEED)
    halves = {}
    for family in sorted({v.split(":")[0] for v in all_voices}):
        members = sorted(v for v in all_voices if v.startswith(family + ":"))
        draw.shuffle(members)
        for i, voice in enumerate(members):
            halves[voice] = "tune" if i % 2 == 0 else "eval"
    return halves


def phrases():
    """(kind, expected, text) from bench/speech-corpus.txt."""
    result = []
    with open(os.path.join(ROOT, "bench", "speech-corpus.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            kind, expected, text = line.split("\t")
            result.append((kind, expected, text))
    return result


def run(args, stdin=None):
    subprocess.run(args, input=stdin, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def synthesise(voice, text, wav):
    family, name, *rest = voice.split(":")
    with tempfile.TemporaryDirectory(prefix="vorn-corpus-") as tmp:
        raw = os.path.join(tmp, "said.wav")
        if family == "espeak":
            run(["espeak-ng", "-v", name, "-s", rest[0], "-p", rest[1], "-w", raw, text])
        elif family == "flite":
            run(["flite", "-voice", name, "--setf", f"duration_stretch={rest[0]}", "-t", text,
                 "-o", raw])
        else:
            run(["festival", "--batch", f"(voice_{name})",
                 f"(Parameter.set 'Duration_Stretch {rest[0]})",
                 f"(utt.save.wave (utt.synth (Utterance Text \"{text}\")) \"{raw}\" 'riff)"])
        run(["sox", raw, "-r", "16000", "-c", "1", "-b", "16", "-e", "signed-integer", wav])


def reverberate(clean, wav, room):
    # Wet and dry mixed, the room's tail kept (one second of padding).
    run(["sox", clean, wav, "pad", "0", "1", "reverb", "50", "50", str(room), "100", "20"])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("output")
    parser.add_argument("--jobs", type=int, default=4)
    options = parser.parse_args()
    os.makedirs(options.output, exist_ok=True)
    all_voices = voices()
    halves = split(all_voices)
    draw = random.Random(SEED + 1)
    jobs = []
    rows = []
    for v, voice in enumerate(all_voices):
        for p, (kind, expected, text) in enumerate(phrases()):
            clean = f"v{v:02d}-p{p:03d}.wav"
            room = f"v{v:02d}-p{p:03d}-room.wav"
            size = draw.choice(ROOMS)
            jobs.append((voice, text, clean, room, size))
            rows.append((clean, room, voice, halves[voice], kind, expected, text, size))

    def make(job):
        voice, text, clean, room, size = job
        clean = os.path.join(options.output, clean)
        if not os.path.exists(clean):
            synthesise(voice, text, clean)
        room = os.path.join(options.output, room)
        if not os.path.exists(room):
            reverberate(clean, room, size)

    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, min(options.jobs, 4))) as pool:
        for _ in pool.map(make, jobs):
            pass
    with open(os.path.join(options.output, "manifest.tsv"), "w", encoding="utf-8") as out:
        out.write("clean\troom\tvoice\thalf\tkind\texpected\ttext\troom_size\n")
        for row in rows:
            out.write("\t".join(str(x) for x in row) + "\n")
    print(f"{len(rows)} utterances x 2 ({len(all_voices)} voices) in {options.output}")


if __name__ == "__main__":
    main()
