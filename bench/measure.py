"""The measurements of benchmark.sh, inside a Wine session: kestro.exe against baselines."""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402
import media  # noqa: E402

SETTLE_SECONDS = 3
WAIT_SECONDS = 30
PICTURE_SIZE = (1920, 1080)
DECODE_RUNS = 3
TOLERANCE = 24
PROBES = ((0.2, 0.2), (0.5, 0.5), (0.8, 0.3), (0.3, 0.8), (0.7, 0.7))
SOUND_SECONDS = 10
# Start-up is done by then; the share is taken over the rest of the sound.
SOUND_SETTLE = 1.0
SAMPLE_SECONDS = 0.05


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
    return f"{a / b:.2f}x" if b else "n/a"


def waiting(exe, bench_dir, picture):
    folder = harness.RunFolder(exe)
    folder.write_ini(MediaFile=harness.windows_path(picture), Time=1)
    kestro = folder.start("/start")
    idle = subprocess.Popen(["wine", os.path.join(bench_dir, "idle_window.exe")],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Start-up costs both the same; the wait alone is what a user pays all day long.
    time.sleep(SETTLE_SECONDS)
    k_start, _ = cpu_and_memory(kestro.process.pid)
    i_start, _ = cpu_and_memory(idle.pid)
    time.sleep(WAIT_SECONDS)
    k_cpu, k_rss = cpu_and_memory(kestro.process.pid)
    i_cpu, i_rss = cpu_and_memory(idle.pid)
    print(f"{WAIT_SECONDS} s of waiting            kestro /start   idle window   ratio")
    print(f"  CPU time, total (s)     {k_cpu:13.2f}   {i_cpu:11.2f}   {ratio(k_cpu, i_cpu)}")
    k_wait, i_wait = k_cpu - k_start, i_cpu - i_start
    print(f"  CPU time, waiting (s)   {k_wait:13.2f}   {i_wait:11.2f}   {ratio(k_wait, i_wait)}")
    print(f"  resident memory (MiB)   {k_rss:13.1f}   {i_rss:11.1f}   {ratio(k_rss, i_rss)}")
    harness.taskkill_by_name()
    kestro.wait_end(20)
    idle.kill()
    idle.wait()
    folder.remove()


def sound_playback(exe, work):
    """CPU time of `kestro.exe /test` while it plays a WAV file of SOUND_SECONDS."""
    sound = os.path.join(work, "bench.wav")
    media.make_tone(sound, SOUND_SECONDS)
    folder = harness.RunFolder(exe)
    folder.write_ini(MediaFile=harness.windows_path(sound))
    kestro = folder.start("/test")
    pid = kestro.process.pid
    settled = None
    last = None
    # The process's counters vanish with it: keep the last reading taken before its end.
    while kestro.running():
        try:
            reading = (time.monotonic(), cpu_and_memory(pid)[0])
        except (FileNotFoundError, ProcessLookupError, StopIteration):
            break
        if settled is None and reading[0] - kestro.started >= SOUND_SETTLE:
            settled = reading
        last = reading
        time.sleep(SAMPLE_SECONDS)
    _, ended = kestro.wait_end(SOUND_SECONDS + 30)
    folder.remove()
    lifetime = ended - kestro.started
    print(f"playing a {SOUND_SECONDS} s WAV        kestro /test")
    print(f"  process lifetime (s)    {lifetime:12.2f}")
    print(f"  CPU time, total (s)     {last[1]:12.2f}   {last[1] / lifetime:.1%} of one core")
    playing_cpu = last[1] - settled[1]
    playing_wall = last[0] - settled[0]
    print(f"  CPU time, playing (s)   {playing_cpu:12.2f}   {playing_cpu / playing_wall:.1%} "
          f"of one core over {playing_wall:.2f} s")


def picture_pixels(path):
    """The picture's pixels as a Screen-like object, decoded by ImageMagick."""
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True,
                         check=True).stdout
    return harness.Screen(ppm)


def shown(expected, left, top):
    screen = harness.screenshot()
    for fx, fy in PROBES:
        x, y = int(screen.width * fx), int(screen.height * fy)
        if not harness.close_colour(screen.pixel(x, y), expected.pixel(x - left, y - top),
                                    TOLERANCE):
            return False
    return True


def end_to_picture(exe, picture):
    """Seconds from `wineboot --end-session` to the picture's pixels being on the screen."""
    expected = picture_pixels(picture)
    left = (harness.SCREEN_WIDTH - expected.width) // 2
    top = (harness.SCREEN_HEIGHT - expected.height) // 2
    folder = harness.RunFolder(exe)
    folder.write_ini(MediaFile=harness.windows_path(picture), Time=1)
    kestro = folder.start("/start")
    harness.wait_window(20, visible_only=False, while_running=kestro)
    asked = time.monotonic()
    wineboot = harness.end_session()
    latency = None
    while kestro.running() and time.monotonic() - asked < 20:
        if harness.find_windows(visible_only=True) and shown(expected, left, top):
            latency = time.monotonic() - asked
            break
    kestro.wait_end(30)
    wineboot.wait(30)
    folder.remove()
    return latency


def decode_alone(bench_dir, picture):
    """The median of a few runs of decode_only.exe, in seconds."""
    runs = []
    for _ in range(DECODE_RUNS):
        output = subprocess.run(["wine", os.path.join(bench_dir, "decode_only.exe"),
                                 harness.windows_path(picture)],
                                capture_output=True, text=True, check=True).stdout
        runs.append(float(output.split()[-1]) / 1000)
    return statistics.median(runs)


def main(exe, bench_dir, work):
    pictures = {}
    for ending in ("jpg", "png"):
        path = os.path.join(work, f"bench.{ending}")
        # A detailed picture: plasma is slow to compress, so it tests the decoder fairly.
        subprocess.run(["convert", "-seed", "7", "-size", "%dx%d" % PICTURE_SIZE, "plasma:",
                        "-blur", "0x1", path], check=True)
        pictures[ending] = path
    waiting(exe, bench_dir, pictures["jpg"])
    print()
    sound_playback(exe, work)
    print()
    print("end of session to picture   shown (s)   decode alone (s)   ratio")
    for ending, path in pictures.items():
        latency = end_to_picture(exe, path)
        decode = decode_alone(bench_dir, path)
        shown_text = f"{latency:9.3f}" if latency is not None else "never"
        print(f"  {PICTURE_SIZE[0]}x{PICTURE_SIZE[1]} {ending.upper():13}  {shown_text}   "
              f"{decode:16.3f}   {ratio(latency, decode) if latency else 'n/a'}")
    print("(the shown time is polled with screenshots: it is late by up to one screenshot)")


if __name__ == "__main__":
    main(*sys.argv[1:4])
