"""The measurements of benchmark.sh, inside a Wine session: kestro.exe against the ideal show
and an idle program. Prints every figure with its ratio, then a summary of KEY VALUE lines."""

import contextlib
import ctypes
import os
import re
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402
import media  # noqa: E402

SETTLE_SECONDS = 3
# Before the first measurement, the machine counts as quiet once under this share of its
# processors has been in use for this long.
QUIET_SHARE = 0.10
QUIET_SECONDS = 5
SETTLE_LIMIT = 90
WAIT_SECONDS = 30
# The long session is simulated for this long, its hour passing in steps: each moves the
# clock on and tells the programs that it was set.
SESSION_SECONDS = 30
SESSION_STEPS = 6
HOUR = 3600
FAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
PICTURE_SIZE = (1920, 1080)
# A phone's or camera's 12 megapixels, shown fitted to the screen.
PHOTO_SIZE = (4032, 3024)
RUNS = 5
SPLIT_RUNS = 3
DECODE_RUNS = 3
# A waiting program is ready once its hidden window exists and its start-up has calmed down.
READY_SECONDS = 1.0
GIVE_UP_SECONDS = 20
TOLERANCE = 24
PROBES = ((0.2, 0.2), (0.5, 0.5), (0.8, 0.3), (0.3, 0.8), (0.7, 0.7))
POLL_SECONDS = 0.002
IDEAL_CAPTION = "KestroIdealShow"
SOUND_SECONDS = 10
SOUND_RUNS = 5
# Start-up is done by then; the share is taken over the rest of the sound.
SOUND_SETTLE = 1.0
SAMPLE_SECONDS = 0.05
STAGES = ("request", "settings-read", "file-read", "decoded", "drawn", "shown", "painted",
          "top-most")
SECTIONS = ("pictures", "photo", "split", "waiting", "sound")


class Pixels:
    """Single pixels of the X screen, read straight from the server: far quicker than a
    screenshot, so that the time to the picture is not rounded up to a screenshot's time."""

    def __init__(self):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.c_void_p
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                       ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                       ctypes.c_ulong, ctypes.c_int]
        self.x11.XGetPixel.restype = ctypes.c_ulong
        self.x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        self.x11.XDestroyImage.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open the X display")
        self.root = self.x11.XDefaultRootWindow(self.display)

    def pixel(self, x, y):
        z_pixmap = 2
        image = self.x11.XGetImage(self.display, self.root, x, y, 1, 1, 0xFFFFFFFF, z_pixmap)
        value = self.x11.XGetPixel(image, 0, 0)
        self.x11.XDestroyImage(image)
        return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)


class Picture:
    """A benchmark picture, its pixels as ImageMagick decodes them (averaged down to `shown`
    when it is shown fitted), and where a centred show puts it on the screen."""

    def __init__(self, path, label=None, shown=None):
        self.path = path
        self.ending = label or os.path.splitext(path)[1][1:].upper()
        resize = ["-filter", "Box", "-resize", "%dx%d!" % shown] if shown else []
        ppm = subprocess.run(["convert", path, *resize, "-depth", "8", "ppm:-"],
                             capture_output=True, check=True).stdout
        self.expected = harness.Screen(ppm)
        self.left = (harness.SCREEN_WIDTH - self.expected.width) // 2
        self.top = (harness.SCREEN_HEIGHT - self.expected.height) // 2

    def on_screen(self, pixels):
        for fx, fy in PROBES:
            x, y = int(harness.SCREEN_WIDTH * fx), int(harness.SCREEN_HEIGHT * fy)
            wanted = self.expected.pixel(x - self.left, y - self.top)
            if not harness.close_colour(pixels.pixel(x, y), wanted, TOLERANCE):
                return False
        return True


def machine_busy(seconds):
    """The share of the machine's processors in use over the next `seconds`, 0 to 1."""
    def ticks():
        with open("/proc/stat") as stat:
            fields = [int(field) for field in stat.readline().split()[1:]]
        return sum(fields), fields[3] + fields[4]  # all, idle and waiting for the disk
    all_before, idle_before = ticks()
    time.sleep(seconds)
    all_after, idle_after = ticks()
    return 1 - (idle_after - idle_before) / max(1, all_after - all_before)


def settle(exe, bench_dir, pixels, picture):
    """A fresh Wine session goes on starting its services for a while, and starts some of them
    on a program's first use: one unmeasured show of each program, then a wait until the
    machine is quiet, so that no measured run pays for them."""
    kestro_run(exe, pixels, picture, "/start")
    ideal_run(bench_dir, pixels, picture, False)
    quiet_since = time.monotonic()
    deadline = quiet_since + SETTLE_LIMIT
    while time.monotonic() < deadline:
        if machine_busy(1.0) > QUIET_SHARE:
            quiet_since = time.monotonic()
        elif time.monotonic() - quiet_since >= QUIET_SECONDS:
            return
    print(f"  (the machine was not quiet within {SETTLE_LIMIT} s; measuring anyway)")


def cpu_and_memory(pid):
    """(CPU seconds, resident MiB) of a process, from /proc."""
    with open(f"/proc/{pid}/stat") as stat:
        # Fields after the command name: utime and stime are the 12th and 13th.
        fields = stat.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    cpu = (int(fields[11]) + int(fields[12])) / ticks
    with open(f"/proc/{pid}/status") as status:
        rss_kib = next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))
    return cpu, rss_kib / 1024


def ratio(a, b):
    return a / b if b else float("nan")


def cpu_ratio(a, b):
    """CPU seconds are counted in clock ticks: two readings both under one tick are equal."""
    tick = 1 / os.sysconf("SC_CLK_TCK")
    return ratio(max(a, tick), max(b, tick))


def wine(*args):
    return subprocess.Popen(["wine", *args], stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def wait_for_picture(pixels, picture, since, alive):
    """Seconds from `since` until the picture's pixels are on the screen, or None."""
    while alive() and time.monotonic() - since < GIVE_UP_SECONDS:
        if picture.on_screen(pixels):
            return time.monotonic() - since
        time.sleep(POLL_SECONDS)
    return None


def end_session_run(pixels, picture, process, alive, caption):
    """Waits for the program's hidden window, ends the session, and times the picture."""
    harness.wait_window(GIVE_UP_SECONDS, visible_only=False, caption=caption)
    time.sleep(READY_SECONDS)
    asked_wall = time.time()
    asked = time.monotonic()
    wineboot = harness.end_session()
    latency = wait_for_picture(pixels, picture, asked, alive)
    process.wait(30)
    wineboot.wait(30)
    return latency, asked_wall


def kestro_run(exe, pixels, picture, command, timing_file=None):
    folder = harness.RunFolder(exe)
    folder.write_ini(MediaFile=harness.windows_path(picture.path), Time=1)
    if timing_file:
        os.environ["KESTRO_TIMING_FILE"] = harness.windows_path(timing_file)
    try:
        kestro = folder.start(command)
        if command == "/start":
            result = end_session_run(pixels, picture, kestro.process, kestro.running,
                                     harness.CAPTION)
        else:
            started_wall = time.time()
            latency = wait_for_picture(pixels, picture, kestro.started, kestro.running)
            kestro.wait_end(30)
            result = latency, started_wall
    finally:
        os.environ.pop("KESTRO_TIMING_FILE", None)
        folder.remove()
    return result


def ideal_run(bench_dir, pixels, picture, at_once):
    ideal_exe = os.path.join(bench_dir, "ideal_show.exe")
    args = [ideal_exe, harness.windows_path(picture.path)] + (["/now"] if at_once else [])
    process = wine(*args)
    alive = lambda: process.poll() is None  # noqa: E731
    if at_once:
        latency = wait_for_picture(pixels, picture, time.monotonic(), alive)
        process.wait(30)
        return latency
    return end_session_run(pixels, picture, process, alive, IDEAL_CAPTION)[0]


def median_text(values):
    got = [value for value in values if value is not None]
    return (statistics.median(got) if got else None), f"{len(got)}/{len(values)} shown"


def compare(title, kestro_times, ideal_times):
    k, k_note = median_text(kestro_times)
    i, i_note = median_text(ideal_times)
    value = ratio(k, i) if k is not None and i is not None else float("nan")
    runs = lambda times: " ".join("never" if t is None else f"{t:.3f}" for t in times)  # noqa
    print(f"  {title:30} kestro {k or float('nan'):6.3f} s   ideal {i or float('nan'):6.3f} s"
          f"   ratio {value:5.2f}x")
    print(f"    kestro runs ({k_note}): {runs(kestro_times)}")
    print(f"    ideal runs  ({i_note}): {runs(ideal_times)}")
    return value, k, i


def time_to_picture(exe, bench_dir, pixels, picture, command):
    """Kestro and the ideal program alternately, RUNS times each; returns Kestro ÷ ideal and
    both medians."""
    kestro_times, ideal_times = [], []
    for _ in range(RUNS):
        kestro_times.append(kestro_run(exe, pixels, picture, command)[0])
        ideal_times.append(ideal_run(bench_dir, pixels, picture, command != "/start"))
    if command == "/start":
        title = f"wineboot --end-session, {picture.ending}"
    else:
        title = f"{command} from process start, {picture.ending}"
    return compare(title, kestro_times, ideal_times)


def read_stamps(path):
    stamps = {}
    if os.path.exists(path):
        with open(path) as lines:
            for line in lines:
                stage, seconds = line.split()
                # The first of each: later paints are repaints.
                stamps.setdefault(stage, float(seconds))
    return stamps


def split(timing_exe, pixels, picture, work):
    """Medians of the benchmark build's stamps, in ms after `wineboot --end-session`."""
    runs = []
    for run in range(SPLIT_RUNS):
        path = os.path.join(work, f"stamps-{picture.ending.replace(' ', '-')}-{run}.txt")
        latency, asked = kestro_run(timing_exe, pixels, picture, "/start", path)
        stamps = read_stamps(path)
        stamps["on screen"] = asked + latency if latency is not None else None
        runs.append({stage: (t - asked) * 1000 for stage, t in stamps.items() if t is not None})
    print(f"  where the time goes, {picture.ending} (benchmark build, median of {SPLIT_RUNS}, "
          "ms after wineboot started):")
    previous = 0.0
    for stage in STAGES + ("on screen",):
        times = [run[stage] for run in runs if stage in run]
        if not times:
            print(f"    {stage:14} not stamped")
            continue
        at = statistics.median(times)
        print(f"    {stage:14} {at:8.1f}   (+{at - previous:7.1f})")
        previous = at


def decode_alone(bench_dir, picture):
    """The median of a few runs of decode_only.exe, in seconds."""
    runs = []
    for _ in range(DECODE_RUNS):
        output = subprocess.run(["wine", os.path.join(bench_dir, "decode_only.exe"),
                                 harness.windows_path(picture.path)],
                                capture_output=True, text=True, check=True).stdout
        runs.append(float(output.split()[-1]) / 1000)
    return statistics.median(runs)


class MovableClock:
    """A wall clock for the processes started inside `started()`, and for no other: libfaketime
    reads their clock's offset from a file, so writing the file moves it. Their tick count is
    left alone, as Windows leaves it when its clock is set."""

    def __init__(self, work):
        if not os.path.exists(FAKETIME):
            raise RuntimeError(f"{FAKETIME} is missing: install libfaketime")
        self.path = os.path.join(work, "clock-offset")
        self.move_to(0)

    def move_to(self, seconds):
        with open(self.path + ".new", "w") as offset:
            offset.write(f"+{seconds}\n")
        os.replace(self.path + ".new", self.path)

    @contextlib.contextmanager
    def started(self):
        saved = dict(os.environ)
        os.environ.update(LD_PRELOAD=FAKETIME, FAKETIME_TIMESTAMP_FILE=self.path,
                          FAKETIME_CACHE_DURATION="1", FAKETIME_DONT_FAKE_MONOTONIC="1")
        try:
            yield
        finally:
            os.environ.clear()
            os.environ.update(saved)

    def read(self):
        """The time of day as a program on this clock reads it, HH:MM."""
        with self.started():
            text = subprocess.run(["wine", "cmd", "/c", "time", "/t"], capture_output=True,
                                  check=True).stdout.decode("ascii", "replace")
        return re.search(r"\d{1,2}:\d{2}", text).group(0)


def waiting(exe, bench_dir, picture, work):
    """The cost of a waiting /start instance next to the idle one-window program."""
    folder = harness.RunFolder(exe)
    # With a sign-in show: it runs in a process of its own, and the waiting instance's figures
    # are what they are without one.
    folder.write_ini(MediaFile=harness.windows_path(picture.path),
                     LogonFile=harness.windows_path(picture.path), Time=1)
    clock = MovableClock(work)
    with clock.started():
        kestro = folder.start("/start")
        idle = wine(os.path.join(bench_dir, "idle_window.exe"))
    pids = {"kestro": kestro.process.pid, "idle": idle.pid}
    # Start-up costs both the same; the wait alone is what a user pays all day long.
    time.sleep(SETTLE_SECONDS)
    start = {name: cpu_and_memory(pid) for name, pid in pids.items()}
    time.sleep(WAIT_SECONDS)
    first = {name: cpu_and_memory(pid) for name, pid in pids.items()}
    # A long session: its hour passes on the programs' clock, and Windows tells them whenever
    # the clock is set. The CPU of this stretch is scaled up to an hour.
    for step in range(1, SESSION_STEPS + 1):
        clock.move_to(HOUR * step // SESSION_STEPS)
        wine(os.path.join(bench_dir, "clock_moved.exe")).wait(30)
        time.sleep(SESSION_SECONDS / SESSION_STEPS)
    later = {name: cpu_and_memory(pid) for name, pid in pids.items()}
    moved_to = clock.read()
    harness.taskkill_by_name()
    kestro.wait_end(20)
    idle.kill()
    idle.wait()
    folder.remove()

    def row(label, k, i, value, form):
        print(f"  {label:40} {k:{form}}   {i:{form}}   {value:5.2f}x")

    waited = {name: first[name][0] - start[name][0] for name in pids}
    hour = {name: (later[name][0] - first[name][0]) * HOUR / SESSION_SECONDS for name in pids}
    print(f"{'waiting':42}  kestro /start   idle window   ratio")
    row(f"resident memory after {WAIT_SECONDS} s (MiB)", first["kestro"][1], first["idle"][1],
        ratio(first["kestro"][1], first["idle"][1]), "13.1f")
    row(f"CPU over {WAIT_SECONDS} s of waiting (s)", waited["kestro"], waited["idle"],
        cpu_ratio(waited["kestro"], waited["idle"]), "13.2f")
    row("resident memory after the session (MiB)", later["kestro"][1], later["idle"][1],
        ratio(later["kestro"][1], later["idle"][1]), "13.1f")
    stretch = {name: later[name][0] - first[name][0] for name in pids}
    row("CPU per hour of session (s)", hour["kestro"], hour["idle"],
        cpu_ratio(stretch["kestro"], stretch["idle"]), "13.2f")
    print(f"  (the session: {SESSION_SECONDS} s in which the programs' clock moved on "
          f"{HOUR // 60} min in {SESSION_STEPS} steps, each announced, to {moved_to} against "
          f"the machine's {time.strftime('%H:%M')}; its CPU scaled to {HOUR} s)")
    # The CPU figure covers both stretches, in the ticks the kernel counted.
    return (ratio(first["kestro"][1], first["idle"][1]),
            cpu_ratio(waited["kestro"] + stretch["kestro"], waited["idle"] + stretch["idle"]))


def playing_share(start):
    """(lifetime, percent of one core after SOUND_SETTLE) of a process that plays a sound,
    started by `start`."""
    started = time.monotonic()
    process = start()
    settled = None
    last = None
    # The process's counters vanish with it: keep the last reading taken before its end.
    while process.poll() is None:
        try:
            reading = (time.monotonic(), cpu_and_memory(process.pid)[0])
        except (FileNotFoundError, ProcessLookupError, StopIteration):
            break
        if settled is None and reading[0] - started >= SOUND_SETTLE:
            settled = reading
        last = reading
        time.sleep(SAMPLE_SECONDS)
    process.wait(SOUND_SECONDS + 30)
    return time.monotonic() - started, 100 * (last[1] - settled[1]) / (last[0] - settled[0])


def sound_playback(exe, bench_dir, work):
    """Percent of one core that `kestro.exe /test` takes while it plays a WAV file, beside the
    share of programs that only play it: through MCI, as Kestro does, and straight into the
    mixer with four wake-ups a second (sound_only.exe). They are the floor of Wine's sound.
    Returns the medians of Kestro and of the MCI player."""
    sound = os.path.join(work, "bench.wav")
    media.make_tone(sound, SOUND_SECONDS)
    folder = harness.RunFolder(exe)
    folder.write_ini(MediaFile=harness.windows_path(sound))
    player = os.path.join(bench_dir, "sound_only.exe")
    starts = {
        "kestro /test": lambda: folder.start("/test").process,
        "sound_only mci": lambda: wine(player, "mci", harness.windows_path(sound)),
        "sound_only wasapi": lambda: wine(player, "wasapi", harness.windows_path(sound)),
    }
    runs = {label: [] for label in starts}
    for _ in range(SOUND_RUNS):
        for label, start in starts.items():
            runs[label].append(playing_share(start))
    folder.remove()
    print(f"playing a {SOUND_SECONDS} s WAV, median of {SOUND_RUNS} alternating runs each "
          f"(after the first {SOUND_SETTLE:.0f} s)")
    for label, measured in runs.items():
        shares = [share for _, share in measured]
        print(f"  {label:18} {statistics.median(shares):4.1f} % of one core   runs: "
              + " ".join(f"{share:.1f}" for share in shares)
              + "   lifetimes: " + " ".join(f"{lifetime:.2f}" for lifetime, _ in measured))
    return tuple(statistics.median(share for _, share in runs[label])
                 for label in ("kestro /test", "sound_only mci"))


def fitted(size):
    """The size a picture larger than the screen is shown at, as Kestro rounds it."""
    width, height = size
    screen_w, screen_h = harness.SCREEN_WIDTH, harness.SCREEN_HEIGHT
    if width <= screen_w and height <= screen_h:
        return size
    if width * screen_h >= height * screen_w:
        return screen_w, (2 * height * screen_w + width) // (2 * width)
    return (2 * width * screen_h + height) // (2 * height), screen_h


def main(exe, timing_exe, bench_dir, work, *only):
    """Runs every section, or those named (pictures, photo, split, waiting, sound)."""
    sections = only or SECTIONS
    pictures = {}
    for ending in ("jpg", "png"):
        path = os.path.join(work, f"bench.{ending}")
        # A detailed picture: plasma is slow to compress, so it tests the decoder fairly. Eight
        # bits a channel, as photos and screen shots are saved; ImageMagick would otherwise
        # write a PNG of sixteen.
        subprocess.run(["convert", "-seed", "7", "-size", "%dx%d" % PICTURE_SIZE, "plasma:",
                        "-blur", "0x1", "-depth", "8", path], check=True)
        pictures[ending] = Picture(path)
    photo = None
    if "photo" in sections:
        path = os.path.join(work, "photo.jpg")
        # Smoother than the others, as a photo is at this size: the probes then read the same
        # colours whatever filter shrinks it.
        subprocess.run(["convert", "-seed", "11", "-size", "%dx%d" % PHOTO_SIZE, "plasma:",
                        "-blur", "0x3", "-depth", "8", "-quality", "92", path], check=True)
        shown = fitted(PHOTO_SIZE)
        photo = Picture(path, f"photo {PHOTO_SIZE[0]}x{PHOTO_SIZE[1]} JPG", shown)
    pixels = Pixels()
    summary = {}
    settle(exe, bench_dir, pixels, pictures["jpg"])

    print(f"time to the picture on a {harness.SCREEN_WIDTH}x{harness.SCREEN_HEIGHT} screen, "
          f"median of {RUNS} alternating runs each (Time=1)")
    # The floor of a show that decodes after the request: the ideal program's time, which is
    # how fast the machine delivers the request and puts a picture up, plus decoding alone.
    floors = {}

    def latency(key, picture, command):
        value, k, i = time_to_picture(exe, bench_dir, pixels, picture, command)
        summary[key + "-ratio"] = value
        if command == "/start":
            decoding = decode_alone(bench_dir, picture)
            floors[key] = (k, i, decoding)
            if k is not None and i is not None:
                summary[key + "-floor"] = k / (i + decoding)

    if "pictures" in sections:
        latency("latency-jpeg", pictures["jpg"], "/start")
        latency("latency-png", pictures["png"], "/start")
        latency("shutdown-jpeg", pictures["jpg"], "/shutdown")
    if photo:
        latency("latency-photo", photo, "/start")
    print("  (the ideal program holds the picture decoded, and a photo scaled to the screen, and "
          "shows it top-most and centred at once; with /now it shows it as soon as it has "
          "decoded it)")
    for key, (k, i, decoding) in floors.items():
        print(f"  {key}-floor: kestro {k or float('nan'):.3f} s against ideal {i or float('nan'):.3f}"
              f" s + decoding alone {decoding:.3f} s")
    timed = [p for p in (pictures["jpg"], pictures["png"], photo) if p]
    if "split" in sections:
        for picture in timed:
            split(timing_exe, pixels, picture, work)
        print("  decoding alone (decode_only.exe, median of "
              f"{DECODE_RUNS}): " + ", ".join(f"{p.ending} {decode_alone(bench_dir, p):.3f} s"
                                             for p in timed))
    print()
    if "waiting" in sections:
        memory, cpu = waiting(exe, bench_dir, pictures["jpg"], work)
        summary["waiting-memory-ratio"] = memory
        summary["waiting-cpu-ratio"] = cpu
        print()
    if "sound" in sections:
        kestro_sound, mci_sound = sound_playback(exe, bench_dir, work)
        summary["sound-cpu-percent"] = kestro_sound
        summary["sound-cpu-ratio"] = kestro_sound / mci_sound
        print()
    print("summary")
    for key in ("latency-jpeg-ratio", "latency-png-ratio", "latency-photo-ratio",
                "shutdown-jpeg-ratio", "latency-jpeg-floor", "latency-png-floor",
                "latency-photo-floor", "waiting-memory-ratio", "waiting-cpu-ratio",
                "sound-cpu-percent", "sound-cpu-ratio"):
        if key in summary:
            print(f"{key} {summary[key]:.2f}")


if __name__ == "__main__":
    main(*sys.argv[1:])
