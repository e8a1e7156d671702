"""Whatever the media file or the settings hold, the show ends on time and nothing crashes.

Each case is a small file made on the spot and the outcome it must have. Under Wine a crash
starts the debugger, which keeps the process alive and prints "Unhandled ...", and an
exception that the window system swallows prints "ignoring exception": the log is read for
both, since the exit code alone does not tell."""

import collections
import concurrent.futures
import os
import shutil
import subprocess
import time

import harness
import hostile
import media
from checks import START_UP, KestroCase

# The seconds a picture stays up in these cases.
TIME = 1
# From the process's start to its end, on a loaded machine: Wine's start-up and the picture's
# second; a device that gets nowhere is given up after 3 seconds; a file that no device can
# play ends the show at once.
PICTURE_BOUND = 20
STALL_BOUND = 25
UNPLAYABLE_BOUND = 20

# content: the file's bytes, or a function that writes the file at the path it is given.
# window: whether the show's window must appear (True), must not (False), or may (None).
# ini: settings beyond MediaFile and Time. shown: the least seconds the window must stay up.
# size: the window's size, when it is judged.
Case = collections.namedtuple("Case", "name file content window bound ini shown size",
                              defaults=({}, 0, None))

PICTURES = [
    Case("jpeg SOF 37000 x 37000", "a.jpg", hostile.jpeg(37000, 37000), True, PICTURE_BOUND),
    Case("jpeg SOF 30000 x 30000", "a.jpg", hostile.jpeg(30000, 30000), True, PICTURE_BOUND),
    Case("jpeg SOF 65535 x 65535", "a.jpg", hostile.jpeg(65535, 65535), True, PICTURE_BOUND),
    Case("jpeg progressive 40000 x 40000", "a.jpg", hostile.jpeg(40000, 40000, sof=0xC2), True,
         PICTURE_BOUND),
    Case("jpeg height 0", "a.jpg", hostile.jpeg(64, 0), True, PICTURE_BOUND),
    Case("jpeg width 0", "a.jpg", hostile.jpeg(0, 48), True, PICTURE_BOUND),
    Case("jpeg scan before frame", "a.jpg", hostile.jpeg_sos_first(), True, PICTURE_BOUND),
    Case("jpeg segment longer than file", "a.jpg", hostile.jpeg_lying_segment(), True,
         PICTURE_BOUND),
    Case("jpeg cut in SOF", "a.jpg", hostile.jpeg(37000, 37000)[:90], True, PICTURE_BOUND),
    Case("jpeg empty file", "a.jpg", b"", True, PICTURE_BOUND),
    Case("gif screen 65535 x 65535", "a.gif", hostile.gif(screen=(65535, 65535)), True,
         PICTURE_BOUND),
    Case("gif frame 65535 x 65535", "a.gif", hostile.gif(frame=(65535, 65535)), True,
         PICTURE_BOUND),
    Case("gif second frame 65535 x 65535", "a.gif", hostile.gif_huge_second_frame(), True,
         PICTURE_BOUND),
    Case("gif screen 0 x 0", "a.gif", hostile.gif(screen=(0, 0), frame=(0, 0)), True,
         PICTURE_BOUND),
    Case("gif cut after screen", "a.gif", hostile.gif()[:13], True, PICTURE_BOUND),
    Case("bmp 50000 x 50000", "a.bmp", hostile.bmp(50000, 50000), True, PICTURE_BOUND),
    Case("bmp top-down 50000 x -50000", "a.bmp", hostile.bmp(50000, -50000), True,
         PICTURE_BOUND),
    Case("bmp height -2^31", "a.bmp", hostile.bmp(64, -(2**31)), True, PICTURE_BOUND),
    Case("bmp width 0", "a.bmp", hostile.bmp(0, 48), True, PICTURE_BOUND),
    Case("bmp header size 2^32-1", "a.bmp", hostile.bmp(header_size=0xFFFFFFFF), True,
         PICTURE_BOUND),
    Case("bmp cut in info header", "a.bmp", hostile.bmp()[:20], True, PICTURE_BOUND),
    Case("png 100000 x 100000", "a.png", hostile.png(100000, 100000), True, PICTURE_BOUND),
    Case("png 0 x 0", "a.png", hostile.png(0, 0), True, PICTURE_BOUND),
    Case("png 30000 x 30000 behind .png", "a.png", hostile.jpeg(30000, 30000), True,
         PICTURE_BOUND),
    Case("jpeg 37000 behind .bmp", "a.bmp", hostile.jpeg(37000, 37000), True, PICTURE_BOUND),
    Case("bmp 50000 behind .gif", "a.gif", hostile.bmp(50000, 50000), True, PICTURE_BOUND),
    Case("gif 65535 frame behind .jpg", "a.jpg", hostile.gif(frame=(65535, 65535)), True,
         PICTURE_BOUND),
    Case("text behind .jpg", "a.jpg", b"This is not a picture.\r\n", True, PICTURE_BOUND),
]

SOUNDS = [
    Case("wav 0 channels", "a.wav", hostile.wav(channels=0), False, STALL_BOUND),
    Case("wav rate 0", "a.wav", hostile.wav(rate=0), False, STALL_BOUND),
    Case("wav block align 0", "a.wav", hostile.wav(block_align=0), False, STALL_BOUND),
    Case("wav 0 bits", "a.wav", hostile.wav(bits=0), False, STALL_BOUND),
    Case("wav data size 2^32-1", "a.wav", hostile.wav(data_size=0xFFFFFFFF), False, STALL_BOUND),
    Case("wav cut in fmt", "a.wav", hostile.wav()[:30], False, UNPLAYABLE_BOUND),
    Case("midi without a synthesizer", "a.mid", hostile.midi(), False, STALL_BOUND),
    Case("midi track length 2^31-1", "a.mid", hostile.midi(track_length=0x7FFFFFFF), False,
         STALL_BOUND),
    Case("midi 0 tracks", "a.mid", hostile.midi(tracks=0), False, STALL_BOUND),
    Case("text behind .mp3", "a.mp3", b"This is not a sound.\r\n", False, UNPLAYABLE_BOUND),
]

VIDEOS = [
    Case("avi 0 frames", "a.avi", lambda p: hostile.avi(p, total_frames=0, length=0), None,
         STALL_BOUND),
    Case("avi rate 0", "a.avi", lambda p: hostile.avi(p, rate=0), None, STALL_BOUND),
    Case("avi scale 2^32-1", "a.avi", lambda p: hostile.avi(p, scale=0xFFFFFFFF), None,
         STALL_BOUND),
    Case("avi frame 0 x 0", "a.avi", lambda p: hostile.avi(p, width=0, height=0), None,
         STALL_BOUND),
    Case("avi frame 65535 x 65535", "a.avi", lambda p: hostile.avi(p, width=65535, height=65535),
         None, STALL_BOUND),
    Case("text behind .avi", "a.avi", b"This is not a video.\r\n", None, UNPLAYABLE_BOUND),
]

SETTINGS = [
    Case("Time full-width 3", "a.bmp", hostile.bmp(), True, PICTURE_BOUND + 2,
         {"Time": "３"}, shown=2.4),
    Case("Width and Height full-width", "a.bmp", hostile.bmp(), True, PICTURE_BOUND,
         {"Width": "１２０", "Height": "８０"}, size=(120, 80)),
]

CASES = PICTURES + SOUNDS + VIDEOS + SETTINGS
# Cases run side by side, each process judged by its own window; the machine has two cores.
WORKERS = 4
POLL_SECONDS = 0.1


def windows_of(run):
    """The visible show windows of one process: Wine marks each X window with its pid."""
    result = subprocess.run(
        ["xdotool", "search", "--all", "--onlyvisible", "--pid", str(run.process.pid), "--name",
         f"^{harness.CAPTION}$"], capture_output=True, text=True, check=False)
    return [int(line) for line in result.stdout.split()]


def crash_signs(folder):
    """What Wine printed about a crash, if anything."""
    with open(folder.log_path, "rb") as log:
        text = log.read().decode("utf-8", "replace")
    return [sign for sign in ("Unhandled", "ignoring exception") if sign in text]


def write_case(folder, case):
    path = folder.file(case.file)
    if callable(case.content):
        case.content(path)
    else:
        with open(path, "wb") as out:
            out.write(case.content)
    return path


def run_case(exe, case):
    """Runs one case in a fresh folder; returns (seconds to the end, problems found)."""
    folder = harness.RunFolder(exe)
    run = None
    try:
        ini = {"MediaFile": harness.windows_path(write_case(folder, case)), "Time": TIME}
        folder.write_ini(**{**ini, **case.ini})
        run = folder.start("/test")
        deadline = run.started + case.bound
        seen = size = None
        while run.running() and time.monotonic() < deadline:
            windows = windows_of(run)
            if windows and seen is None:
                seen = time.monotonic()
                try:
                    size = harness.geometry(windows[0])[2:4]
                except subprocess.CalledProcessError:
                    # It closed between the search and the look: too short for any size.
                    size = "gone before it could be measured"
            time.sleep(POLL_SECONDS)
        code, ended = run.wait_end(0)
        problems = crash_signs(folder)
        if code is None:
            return case.bound, problems + [f"still running after {case.bound} s"]
        if code != 0:
            problems.append(f"exit code {code}")
        if case.window is not None and (seen is not None) != case.window:
            problems.append("a window appeared" if seen else "no window appeared")
        if case.size and size != case.size:
            problems.append(f"window size {size}")
        if case.shown and seen is not None and ended - seen < case.shown - POLL_SECONDS:
            problems.append(f"shown only {ended - seen:.1f} s")
        return ended - run.started, problems
    finally:
        if run:
            run.kill()
        folder.remove()


class HostileInputs(KestroCase):
    @classmethod
    def setUpClass(cls):
        # Errors of the exception dispatcher show a swallowed crash; nothing else is printed.
        os.environ["WINEDEBUG"] = "-all,err+seh"
        # The first program of a fresh Wine prefix takes long to start (font caches and the
        # like); the bounds are for the cases, not for that.
        folder = harness.RunFolder(os.environ["KESTRO_EXE"])
        with open(folder.file("a.bmp"), "wb") as picture:
            picture.write(hostile.bmp())
        folder.write_ini(MediaFile=harness.windows_path(folder.file("a.bmp")), Time=0)
        folder.start("/test").wait_end(START_UP * 2)
        folder.remove()

    def test_every_case_ends_on_time_without_a_crash(self):
        started = time.monotonic()
        with concurrent.futures.ThreadPoolExecutor(WORKERS) as pool:
            results = list(pool.map(lambda case: run_case(self.exe, case), CASES))
        print(f"\n{len(CASES)} cases in {time.monotonic() - started:.0f} s:")
        for case, (seconds, problems) in zip(CASES, results):
            print(f"  {seconds:5.1f} s  {case.name}  {'; '.join(problems) or 'ok'}")
            with self.subTest(case.name):
                self.assertEqual(problems, [])


class EndOfSessionWithHostileMedia(KestroCase):
    """In "/start" the show runs inside the end-of-session handler, where the window system
    would swallow a crash and leave the process up and the session refused."""

    def test_the_worst_picture_and_sound_end_within_time_and_5_s(self):
        os.environ["WINEDEBUG"] = "-all,err+seh"
        for name, file, content in (("jpeg SOF 37000 x 37000", "a.jpg", hostile.jpeg(37000, 37000)),
                                    ("wav 0 channels", "a.wav", hostile.wav(channels=0)),
                                    ("midi without a synthesizer", "a.mid", hostile.midi())):
            with self.subTest(name):
                folder = self.folder()
                path = write_case(folder, Case(name, file, content, None, None))
                folder.write_ini(MediaFile=harness.windows_path(path), Time=TIME)
                run = self.start(folder, "/start")
                window, _ = harness.wait_window(START_UP, visible_only=False, while_running=run)
                self.assertIsNotNone(window, "the hidden window never appeared")
                wineboot = harness.end_session()
                code, _ = run.wait_end(TIME + 5)
                try:
                    wineboot.wait(START_UP)
                except subprocess.TimeoutExpired:
                    wineboot.kill()
                self.assertIsNotNone(code, "the show outlasted Time + 5 s")
                self.assertEqual(crash_signs(folder), [])


class PlantedDlls(KestroCase):
    """A version.dll and a winmm.dll beside kestro.exe, loaded first as Windows loads such
    DLLs, must never run: each leaves a marker file beside itself when it is loaded."""

    def test_dlls_beside_the_program_are_never_loaded(self):
        folder = self.folder()
        planted = [folder.file(name) for name in ("version.dll", "winmm.dll")]
        for path in planted:
            shutil.copy(os.environ["KESTRO_PLANTED_DLL"], path)
        tone = folder.file("tone.wav")
        media.make_tone(tone, 1)
        folder.write_ini(MediaFile=harness.windows_path(tone))
        overrides = os.environ.get("WINEDLLOVERRIDES", "")
        os.environ["WINEDLLOVERRIDES"] = overrides + ";version,winmm=n,b"
        try:
            run = self.start(folder, "/test")
        finally:
            os.environ["WINEDLLOVERRIDES"] = overrides
        code, ended = run.wait_end(START_UP)
        self.assertEqual(code, 0, "the sound did not play to its end")
        self.assertGreaterEqual(ended - run.started, 0.8, "the sound did not play")
        for path in planted:
            self.assertFalse(os.path.exists(path + ".loaded"), f"{path} was loaded")
        # The marker does appear when the DLL is loaded (under a name Wine has no DLL of).
        control = folder.file("planted.dll")
        shutil.copy(os.environ["KESTRO_PLANTED_DLL"], control)
        subprocess.run(["wine", "regsvr32", "/s", harness.windows_path(control)],
                       capture_output=True, timeout=START_UP, check=False)
        self.assertTrue(os.path.exists(control + ".loaded"), "the planted DLL leaves no mark")
