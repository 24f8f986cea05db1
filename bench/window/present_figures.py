#!/usr/bin/env python3
"""Figures of a window run from the present stamps of present_clock.c.

Usage: present_figures.py LOG SKIP_SECONDS SECONDS SETTING   (SETTING: window or loaded)
Prints, for the SECONDS after the first SKIP_SECONDS of stamps (start-up and the title's fade):
  pacing_SETTING_frames              frames presented
  pacing_SETTING_mean_period_ms      mean time between presents
  pacing_p99_late_SETTING_ms         99th percentile of lateness: each present against the
                                     1/60 s grid through the earliest one
  pacing_frames_late_2ms_SETTING     presents more than 2 ms behind that grid
  beat_drift_SETTING_ms_per_min      the beat clock (frames x the game's step) minus the real
                                     time the music plays in: least-squares slope
"""
import struct
import sys

TIME_STEP = struct.unpack("<f", struct.pack("<f", 1 / 60))[0]  # the game's float step
PERIOD_NS = 1e9 / 60


def main():
    path, skip, seconds, setting = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), sys.argv[4]
    data = open(path, "rb").read()
    stamps = struct.unpack("<%dq" % (len(data) // 8), data[: len(data) // 8 * 8])
    if len(stamps) < 2:
        sys.exit("window run: no frames were presented")
    begin = stamps[0] + skip * 1e9
    end = begin + seconds * 1e9
    taken = [t for t in stamps if begin <= t <= end]
    if len(taken) < 60:
        sys.exit("window run: only %d frames in the measured time" % len(taken))
    count = len(taken)
    mean_ms = (taken[-1] - taken[0]) / 1e6 / (count - 1)
    offsets = [t - i * PERIOD_NS for i, t in enumerate(taken)]
    earliest = min(offsets)
    lateness = sorted((o - earliest) / 1e6 for o in offsets)
    p99 = lateness[min(count - 1, int(0.99 * count))]
    late = sum(1 for x in lateness if x > 2.0)
    minutes = [(t - taken[0]) / 6e10 for t in taken]
    gaps = [i * TIME_STEP * 1000 - (t - taken[0]) / 1e6 for i, t in enumerate(taken)]
    mean_m = sum(minutes) / count
    mean_g = sum(gaps) / count
    num = sum((m - mean_m) * (g - mean_g) for m, g in zip(minutes, gaps))
    den = sum((m - mean_m) ** 2 for m in minutes)
    slope = num / den if den else 0.0
    print("pacing_%s_frames: %d frames" % (setting, count))
    print("pacing_%s_mean_period_ms: %.4f ms" % (setting, mean_ms))
    print("pacing_p99_late_%s_ms: %.3f ms" % (setting, p99))
    print("pacing_frames_late_2ms_%s: %d frames" % (setting, late))
    print("beat_drift_%s_ms_per_min: %.2f ms" % (setting, slope))


main()
