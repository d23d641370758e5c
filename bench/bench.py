#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs tessera-cli beside `xxd -i` and `cat` (and its new rows beside pngquant and sox) on the
inputs made by make_inputs.py. Each group prints median wall time of N runs (more for short
rows), the spread (min - max), peak memory (from /usr/bin/time -v) and the output size, then its
ratios; the summary at the end is one table of every row with its time, peak memory and goals
met or not."""
import os
import shutil
import statistics
import subprocess
import sys
import time

CLI, OUT, RUNS = sys.argv[1], sys.argv[2], int(sys.argv[3])
TIME = "/usr/bin/time"


def measure(argv, stdout_path=None):
    """One run: (seconds, peak kB, rc, stderr text)."""
    report = os.path.join(OUT, "time.txt")
    out = open(stdout_path, "wb") if stdout_path else subprocess.DEVNULL
    start = time.perf_counter()
    proc = subprocess.run([TIME, "-v", "-o", report] + argv, stdout=out, stderr=subprocess.PIPE)
    seconds = time.perf_counter() - start
    if stdout_path:
        out.close()
    peak = 0
    with open(report) as f:
        for line in f:
            if "Maximum resident set size" in line:
                peak = int(line.rsplit(":", 1)[1])
    return seconds, peak, proc.returncode, proc.stderr.decode(errors="replace")


def case(label, argv, output, stdout=False, before=None, name=None):
    """A case to run: its label, command, output file (or the file its standard output goes to,
    with `stdout`) and a step before each run. A case given a `name` is a row of the summary."""
    return {"label": label, "argv": argv, "output": output, "stdout": stdout, "before": before,
            "name": name}


# A row shorter than SHORT_ROW seconds is run SHORT_RUNS times in all: the median of a few
# milliseconds moves by more than the goals' margins over five runs.
SHORT_ROW = 0.03
SHORT_RUNS = 21


def run(*cases):
    """Runs the cases in turn, one run of each a round, RUNS rounds (SHORT_RUNS when every one
    is shorter than SHORT_ROW): a change in the machine's state during the rounds weighs on
    each alike, as a goal comparing them needs. Returns their table rows (dicts), failed ones
    included. Every run starts without its output (tessera leaves an identical output
    untouched, which would time a comparison instead of a conversion) and with the dirty pages
    of the last run written."""
    times = [[] for _ in cases]
    peaks = [[] for _ in cases]
    failed = [None] * len(cases)

    def more():
        done = [t for t, f in zip(times, failed) if not f]
        if not done or len(done[0]) < RUNS:
            return bool(done)
        return len(done[0]) < SHORT_RUNS and all(statistics.median(t) < SHORT_ROW for t in done)

    while more():
        for k, c in enumerate(cases):
            if failed[k]:
                continue
            if c["output"] and os.path.exists(c["output"]):
                os.remove(c["output"])
            if c["before"]:
                c["before"]()
            os.sync()
            seconds, peak, rc, err = measure(c["argv"], c["output"] if c["stdout"] else None)
            if rc != 0:
                first = err.strip().splitlines()[-1] if err.strip() else ""
                failed[k] = "exit %d %s" % (rc, first[:60])
            times[k].append(seconds)
            peaks[k].append(peak)
    rows = []
    for c, t, p, f in zip(cases, times, peaks, failed):
        if f:
            r = {"label": c["label"], "failed": f}
        else:
            out = c["output"]
            size = os.path.getsize(out) if out and os.path.exists(out) else 0
            r = {"label": c["label"], "median": statistics.median(t), "min": min(t),
                 "max": max(t), "peak": max(p) / 1024.0, "size": size / 1e6}
        if c["name"]:
            ROWS[c["name"]] = {"r": r, "goals": []}
        rows.append(r)
    return rows


def row(r):
    if "failed" in r:
        return "  %-34s %s" % (r["label"], r["failed"])
    return "  %-34s %9.3f   %7.3f - %-7.3f %9.1f %10.1f" % (
        r["label"], r["median"], r["min"], r["max"], r["peak"], r["size"])


def ratio(a, b):
    if "failed" in a or "failed" in b or b["median"] == 0:
        return "n/a"
    return "%.2f" % (a["median"] / b["median"])


def cli_available():
    return os.access(CLI, os.X_OK)


# The goals each row is judged by: a BMP or WAV row within CAT_GOAL times `cat` writing an output
# of the same size, a PNG row within PNG_GOAL times its BMP twin (the same picture as a .bmp; its
# ratio to `cat` is printed, not judged: the decoder's share is the twin goal's business), the
# tiles under TILES_GOAL seconds, and no more memory than MEMORY_GOALS (MB) for the rows named
# there.
CAT_GOAL = 2.5
PNG_GOAL = 1.6
TILES_GOAL = 1.5
# The sound rows' goals count the shared libraries a run maps (libsndfile and its codecs, about
# 3.5 MB resident before the first sample): tessera-cli is linked dynamically since it reads
# FLAC, Ogg and MP3.
MEMORY_GOALS = {"pic24.bmp -> .h": 35.0, "sound.wav -> .h": 6.5, "sound.wav -> .sef": 6.5}
GROUPS = {}  # source file name -> its rows, for the PNG rows' twins
VERDICTS = []  # (row, measured, goal text, met), counted at the end
ROWS = {}  # summary name -> {"r": the measured row, "goals": its verdicts}, in the order run
# The sound a GP32 game keeps, made from the 10-minute WAV: at most sox's time, under 8 MB.
SOX_GOAL = 1.0
SMALL_SOUND_MEMORY_GOAL = 8.0


def judge(row_name, value, limit, text, strict=False, owner=None):
    """A goal: printed in the summary beside row `owner` (on a line of its own without one)."""
    met = value is not None and (value < limit if strict else value <= limit)
    verdict = (row_name, "n/a" if value is None else "%.2f" % value, text, met)
    VERDICTS.append(verdict)
    if owner in ROWS:
        ROWS[owner]["goals"].append(verdict)
    else:
        ROWS[row_name] = {"r": None, "goals": [verdict]}
    if value is None:
        return "n/a (goal %s)" % text
    return "%.2f (goal %s: %s)" % (value, text, "met" if met else "NOT met")


def ratio_value(a, b):
    if "failed" in a or "failed" in b or b["median"] == 0:
        return None
    return a["median"] / b["median"]


def judge_memory(row_name, r):
    """Every tessera row's peak memory against its own goal, or the README's promise."""
    if "failed" not in r:
        goal = MEMORY_GOALS.get(row_name, PROMISE_MB)
        judge(row_name + " peak MB", r["peak"], goal, "peak <= %.1f MB" % goal, owner=row_name)


def convert_group(title, source, binary_ext, twin=None):
    stem = os.path.join(OUT, "result-" + os.path.splitext(os.path.basename(source))[0])
    name = os.path.basename(source)
    rows = {}
    # Each tessera row runs in turn with its floor: `cat` copying a file as large as its output
    # (a copy of one, made first; xxd's output when tessera is not built).
    if not cli_available():
        rows["h"] = rows["bin"] = {"label": "tessera-cli", "failed": "not built (%s)" % CLI}
    for key, ext in (("h", ".h"), ("bin", binary_ext)):
        if not ext:
            continue
        out, sample = stem + ext, stem + ext + ".sample"
        mine = case("tessera-cli -> " + ext, [CLI, "-q", source, out], out,
                    name=name + " -> " + ext)
        if cli_available() and subprocess.run(mine["argv"]).returncode == 0:
            shutil.copyfile(out, sample)
        else:
            subprocess.run(["xxd", "-i", source], stdout=open(sample, "wb"))
        floor = case("cat (size of the %s)" % ext, ["cat", sample], stem + ".cat", stdout=True,
                     name=name + ": cat (size of the %s)" % ext)
        if cli_available():
            rows[key], rows["cat_" + key] = run(mine, floor)
        else:
            rows["cat_" + key], = run(floor)
    rows["xxd"], = run(case("xxd -i", ["xxd", "-i", source], stem + ".xxd.h", stdout=True,
                            name=name + ": xxd -i"))
    print(title)
    for key in ("h", "bin", "xxd", "cat_h", "cat_bin"):
        if key in rows:
            print(row(rows[key]))
    GROUPS[name] = rows
    print("  ratio: tessera .h / xxd = %s" % ratio(rows["h"], rows["xxd"]))
    png = "PNG" in title
    goal = "<= %.1f x cat" % CAT_GOAL
    for key, ext in (("h", ".h"), ("bin", binary_ext)):
        if not ext:
            continue
        row_name = name + " -> " + ext
        if png:
            print("  ratio: tessera %s / cat = %s" % (ext, ratio(rows[key], rows["cat_" + key])))
        else:
            print("  ratio: tessera %s / cat = %s" % (ext, judge(
                row_name + " / cat", ratio_value(rows[key], rows["cat_" + key]), CAT_GOAL, goal,
                owner=row_name)))
        judge_memory(row_name, rows[key])
    if png:
        twin = GROUPS.get(twin or os.path.splitext(name)[0] + ".bmp")
        for key, ext in (("h", ".h"), ("bin", binary_ext)):
            if ext and twin and key in twin:
                print("  ratio: tessera %s / its BMP twin = %s" % (ext, judge(
                    name + " -> " + ext + " / BMP twin", ratio_value(rows[key], twin[key]),
                    PNG_GOAL, "<= %.1f x BMP" % PNG_GOAL, owner=name + " -> " + ext)))
    print()
    sys.stdout.flush()


def tiles_group():
    tiles = os.path.join(OUT, "tiles")
    results = os.path.join(OUT, "tiles-out")
    os.makedirs(results, exist_ok=True)
    count = len([n for n in os.listdir(tiles) if n.endswith(".bmp")])
    print("%d tiles of 32 x 32 (half 8-bit, half 24-bit), one invocation each" % count)
    if not cli_available():
        print("  tessera-cli not built (%s)" % CLI)
        return
    loop = ('for f in "$1"/*.bmp; do n=${f##*/}; "$2" -q "$f" "$3/${n%.bmp}.h" || exit 1; done')
    def clean():
        for name in os.listdir(results):
            os.remove(os.path.join(results, name))

    # The floor: the same loop starting `cat` on each tile, what starting a process costs here.
    floor_loop = loop.replace('"$2" -q "$f"', 'cat "$f" >')
    r, floor = run(case("tessera-cli x %d -> .h" % count,
                        ["sh", "-c", loop, "sh", tiles, CLI, results], None, before=clean,
                        name="%d tiles -> .h" % count),
                   case("cat x %d (starting a process)" % count,
                        ["sh", "-c", floor_loop, "sh", tiles, "cat", results], None, before=clean,
                        name="%d tiles: cat each" % count))
    print(row(r))
    print(row(floor))
    print("  ratio: tessera / cat each = %s" % ratio(r, floor))
    value = None if "failed" in r else r["median"]
    print("  total: %s" % judge("%d tiles" % count, value, TILES_GOAL, "< %.1f s" % TILES_GOAL,
                                strict=True, owner="%d tiles -> .h" % count))
    judge_memory("%d tiles -> .h" % count, r)
    print()


def small_sound_group():
    """The 10-minute WAV to 22,050 Hz 8-bit mono, beside sox doing the same in the same run."""
    source = os.path.join(OUT, "sound.wav")
    sef = os.path.join(OUT, "result-small.sef")
    raw = os.path.join(OUT, "result-small.raw")
    print("the same WAV to 22,050 Hz 8-bit mono (what a GP32 game keeps)")
    mine, sox = run(case("tessera-cli --rate 22050 --mono --bits 8 -> .sef",
                         [CLI, "-q", "--rate", "22050", "--mono", "--bits", "8", source, sef], sef,
                         name="sound.wav 22 kHz 8-bit mono -> .sef"),
                    case("sox -r 22050 -c 1 -b 8 -e unsigned",
                         ["sox", source, "-r", "22050", "-c", "1", "-b", "8", "-e", "unsigned",
                          raw], raw, name="sound.wav: sox to 22 kHz 8-bit mono"))
    print(row(mine))
    print(row(sox))
    small = "sound.wav 22 kHz 8-bit mono -> .sef"
    print("  ratio: tessera / sox = %s" % judge(
        "small sound / sox", ratio_value(mine, sox), SOX_GOAL, "<= %.1f x sox" % SOX_GOAL,
        owner=small))
    if "failed" not in mine:
        print("  peak memory: %s" % judge("small sound peak MB", mine["peak"],
                                          SMALL_SOUND_MEMORY_GOAL,
                                          "< %.1f MB" % SMALL_SOUND_MEMORY_GOAL, strict=True,
                                          owner=small))
    print()
    sys.stdout.flush()


# The palette rows: a 4096 x 4096 RGBA PNG of about 30,000 colours to .gpg with 256 colours within
# the time of `pngquant 256` (QUANT_GOAL x) and under the memory promise; mapping a 4096 x 4096
# picture onto a palette file within MAP_GOAL times its plain 8-bit conversion; the error of 256
# colours in GP32 colour space no worse than ImageMagick's `-colors 256 +dither`.
QUANT_GOAL = 1.0
MAP_GOAL = 1.5
PROMISE_MB = 128.0


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = data.split(None, 4)
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[len(data) - 3 * width * height:]


def read_reduced_header(path, width, height):
    """The picture a tessera-cli header holds (palette words and screen-order indices), as
    (r5, g5, b5) rows top first."""
    with open(path) as f:
        text = f.read()
    def values(opening):
        body = text[text.index(opening):]
        body = body[body.index("{") + 1:body.index("}")]
        return [int(v, 16) for v in body.replace(",", " ").split()]
    palette = values("_Pal[")
    indices = values("const unsigned char")
    column = height + (4 - height % 4) % 4
    out = []
    for y in range(height):
        for x in range(width):
            w = palette[indices[column * x + height - 1 - y]]
            out.append((w >> 11 & 31, w >> 6 & 31, w >> 1 & 31))
    return out


def gp32_error(source, shown):
    """Mean squared error of 5-bit channels, per channel."""
    total = 0
    for (r, g, b), (R, G, B) in zip(source, shown):
        total += (r - R) ** 2 + (g - G) ** 2 + (b - B) ** 2
    return total / (3.0 * len(source))


def five_bits(raw):
    return [(raw[i] >> 3, raw[i + 1] >> 3, raw[i + 2] >> 3) for i in range(0, len(raw), 3)]


def palette_group():
    many = os.path.join(OUT, "many.png")
    print("palette: 4096 x 4096 RGBA PNG of about 30,000 colours (%.1f MB) to 256 colours" % (
        os.path.getsize(many) / 1e6))
    reduced = "many.png --colors 256 -> .gpg"
    ours, quant = run(case("tessera-cli --colors 256 -> .gpg",
                           [CLI, "-q", "--colors", "256", many, os.path.join(OUT, "many.gpg")],
                           os.path.join(OUT, "many.gpg"), name=reduced),
                      case("pngquant 256", ["pngquant", "--force", "--output",
                                            os.path.join(OUT, "many-pq.png"), "256", many],
                           os.path.join(OUT, "many-pq.png"), name="many.png: pngquant 256"))
    magick, = run(case("convert -colors 256 +dither",
                       ["convert", many, "-colors", "256", "+dither",
                        os.path.join(OUT, "many-im.png")],
                       os.path.join(OUT, "many-im.png"), name="many.png: convert -colors 256"))
    for r in (ours, quant, magick):
        print(row(r))
    print("  ratio: tessera / pngquant = %s" % judge(
        "many.png --colors 256 / pngquant", ratio_value(ours, quant), QUANT_GOAL,
        "<= %.1f x pngquant" % QUANT_GOAL, owner=reduced))
    judge_memory(reduced, ours)
    print()

    pic8 = os.path.join(OUT, "pic8.bmp")
    table = os.path.join(OUT, "pic8-table.gpl")
    subprocess.run([CLI, "-q", "--make-palette", table, pic8], check=False)
    print("palette: 4096 x 4096 8-bit BMP mapped onto a palette file")
    mapping = "pic8.bmp --palette-of -> .gpg"
    plain, mapped = run(case("tessera-cli -> .gpg", [CLI, "-q", pic8, os.path.join(OUT, "map.gpg")],
                             os.path.join(OUT, "map.gpg"), name="pic8.bmp -> .gpg, beside it"),
                        case("tessera-cli --palette-of -> .gpg",
                             [CLI, "-q", "--palette-of", table, pic8,
                              os.path.join(OUT, "map.gpg")],
                             os.path.join(OUT, "map.gpg"), name=mapping))
    print(row(plain))
    print(row(mapped))
    print("  ratio: --palette-of / plain = %s" % judge(
        "pic8.bmp --palette-of / plain", ratio_value(mapped, plain), MAP_GOAL,
        "<= %.1f x plain" % MAP_GOAL, owner=mapping))
    judge_memory(mapping, mapped)
    print()

    print("palette: error of 256 colours in GP32 colour space (mean squared, 5-bit channels)")
    for kind in ("gradient", "plasma", "photo"):
        png = os.path.join(OUT, "q-%s.png" % kind)
        width, height, raw = read_ppm(os.path.join(OUT, "q-%s.ppm" % kind))
        source = five_bits(raw)
        header = os.path.join(OUT, "q-%s.h" % kind)
        magick_ppm = os.path.join(OUT, "q-%s-im.ppm" % kind)
        ours_ok = subprocess.run([CLI, "-q", "--colors", "256", png, header]).returncode == 0
        magick_ok = subprocess.run(["convert", png, "-colors", "256", "+dither",
                                    magick_ppm]).returncode == 0
        ours_error = gp32_error(source, read_reduced_header(header, width, height)) \
            if ours_ok else None
        magick_error = gp32_error(source, five_bits(read_ppm(magick_ppm)[2])) \
            if magick_ok else None
        colours = len(set(source))
        print("  %-8s (%5d GP32 colours) tessera-cli %s   ImageMagick %s   %s" % (
            kind, colours, "%.3f" % ours_error if ours_error is not None else "failed",
            "%.3f" % magick_error if magick_error is not None else "failed",
            judge("q-%s error / ImageMagick" % kind,
                  None if ours_error is None or not magick_error else ours_error / magick_error,
                  1.0, "<= 1.0 x ImageMagick")))
    print()
    sys.stdout.flush()


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def summary():
    """One table: every row's median time and peak memory, and each goal beside its row."""
    print("summary (load average now: %s): every row, its goals met or not" % load())
    print("  %-42s %8s %8s   %-38s %8s" % ("row", "median s", "peak MB", "goal", "measured"))
    for name, entry in ROWS.items():
        r = entry["r"]
        if r is None:
            timing = "%8s %8s" % ("", "")
        elif "failed" in r:
            timing = "%-17s" % r["failed"][:17]
        else:
            timing = "%8.3f %8.1f" % (r["median"], r["peak"])
        goals = entry["goals"] or [None]
        for k, verdict in enumerate(goals):
            left = "  %-42s %s" % (name[:42], timing) if k == 0 else " " * 62
            if verdict is None:
                print(left)
                continue
            what, value, goal, met = verdict
            goal_text = goal if r is not None or what == name else what + ": " + goal
            print("%s   %-38s %8s %s" % (left, goal_text[:38], value, "met" if met else "NOT met"))
    print("  %d of %d goals met" % (sum(1 for v in VERDICTS if v[3]), len(VERDICTS)))


def main():
    print("tessera benchmark: %d runs each; times in seconds (wall), memory and sizes in MB; "
          "load average %s on %d cores" % (RUNS, load(), os.cpu_count()))
    print("  %-34s %9s   %-17s %9s %10s" % ("", "median", "spread (min-max)", "peak", "output"))
    print()
    convert_group("4096 x 4096 24-bit BMP (%.1f MB; no .gpg, which is 8-bit only)" % (
        os.path.getsize(os.path.join(OUT, "pic24.bmp")) / 1e6), os.path.join(OUT, "pic24.bmp"),
        None)  # a .gpg holds 8-bit pictures only: the tool refuses this one
    convert_group("the same picture as a 4096 x 4096 RGBA PNG (%.1f MB)" % (
        os.path.getsize(os.path.join(OUT, "pic32.png")) / 1e6), os.path.join(OUT, "pic32.png"),
        None, twin="pic24.bmp")
    convert_group("4096 x 4096 8-bit BMP with palette (%.1f MB)" % (
        os.path.getsize(os.path.join(OUT, "pic8.bmp")) / 1e6), os.path.join(OUT, "pic8.bmp"),
        ".gpg")
    convert_group("the same picture as a 4096 x 4096 palette PNG (%.1f MB)" % (
        os.path.getsize(os.path.join(OUT, "pic8.png")) / 1e6), os.path.join(OUT, "pic8.png"),
        ".gpg")
    convert_group("10 minutes 44.1 kHz 16-bit stereo WAV (%.1f MB)" % (
        os.path.getsize(os.path.join(OUT, "sound.wav")) / 1e6), os.path.join(OUT, "sound.wav"),
        ".sef")
    small_sound_group()
    tiles_group()
    palette_group()
    summary()


if __name__ == "__main__":
    main()
