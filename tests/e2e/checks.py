"""What every end-to-end case judges: the window on screen and the way the process ends."""

import os
import subprocess
import tempfile
import time
import unittest

import harness
import pictures

# The show lasts Time seconds from a start mark rounded to the whole second.
ROUNDING = 0.5
# Seeing the window late by a poll, and Wine taking down a process, stretch the measure.
EARLY_SLACK = 0.2
LATE_SLACK = 1.0
# Wine starts a process in well under this, even on a slow machine.
START_UP = 20
COLOUR_TOLERANCE = 48


def artifacts_dir():
    path = os.environ.get("KESTRO_E2E_ARTIFACTS") or os.path.join(
        tempfile.gettempdir(), "kestro-e2e-artifacts")
    os.makedirs(path, exist_ok=True)
    return path


def save_png(screen, name):
    path = os.path.join(artifacts_dir(), name + ".png")
    subprocess.run(["convert", "ppm:-", path], input=screen.ppm, check=True)
    return path


def print_log_tail(path, lines=15):
    try:
        with open(path, encoding="utf-8", errors="replace") as log:
            tail = log.read().splitlines()[-lines:]
    except FileNotFoundError:
        return
    if tail:
        print(f"\nthe end of {path}:", *tail, sep="\n    ")


class KestroCase(unittest.TestCase):
    """Helpers for cases that run kestro.exe in a fresh folder each."""

    def setUp(self):
        self.exe = os.environ["KESTRO_EXE"]
        self.folders = []
        self.runs = []

    def tearDown(self):
        for run in self.runs:
            run.kill()
        if self.failed():
            # What Wine said goes with the run folders; a window that never appeared often has
            # its reason there (a display gone, a driver that failed).
            for folder in self.folders:
                print_log_tail(folder.log_path)
        for folder in self.folders:
            folder.remove()

    def failed(self):
        """Whether the test or one of its subtests failed so far: both are reported at once."""
        result = self._outcome.result
        return any(getattr(test, "test_case", test) is self
                   for test, _ in result.failures + result.errors)

    def folder(self, name=None):
        folder = harness.RunFolder(self.exe, name)
        self.folders.append(folder)
        return folder

    def start(self, folder, *args):
        run = folder.start(*args)
        self.runs.append(run)
        return run

    def picture(self, folder, name, magick_format, width=200, height=120, subfolder=None):
        directory = folder.file(subfolder) if subfolder else folder.path
        os.makedirs(directory, exist_ok=True)
        path = os.path.join(directory, name)
        pictures.make_quadrants(path, width, height, magick_format)
        return path

    def wait_shown(self, run, timeout=START_UP):
        window, seen = harness.wait_window(timeout, while_running=run)
        self.assertIsNotNone(window, "the show's window never appeared")
        return window, seen

    def assert_window_placed(self, window, width, height):
        """The window is viewable, has this size and is centred; returns its top-left corner."""
        x, y, actual_w, actual_h, viewable = harness.geometry(window)
        self.assertTrue(viewable, "the window is not viewable")
        self.assertEqual((actual_w, actual_h), (width, height), "window size")
        self.assertAlmostEqual(x, (harness.SCREEN_WIDTH - width) // 2, delta=1, msg="centred, x")
        self.assertAlmostEqual(y, (harness.SCREEN_HEIGHT - height) // 2, delta=1, msg="centred, y")
        return x, y

    def assert_window_shows_picture(self, window, width, height, name,
                                    quadrants=pictures.QUADRANTS):
        """The window has the picture's size, is centred, and shows the quadrant picture."""
        x, y = self.assert_window_placed(window, width, height)
        # The window may be mapped a moment before its first paint: look again for a while.
        deadline = time.monotonic() + 1.5
        while True:
            screen = harness.screenshot()
            wrong = self.wrong_pixels(screen, x, y, width, height, quadrants)
            if not wrong or time.monotonic() > deadline:
                break
            time.sleep(0.1)
        if wrong:
            self.fail(f"wrong pixels (x, y, seen, expected): {wrong}; screenshot "
                      f"{save_png(screen, name)}")

    @staticmethod
    def wrong_pixels(screen, left, top, width, height, quadrants=pictures.QUADRANTS):
        wrong = []
        for px, py in pictures.sample_points(width, height):
            # A fixed size may reach past the screen; what is off it cannot be seen.
            if not (0 <= left + px < harness.SCREEN_WIDTH
                    and 0 <= top + py < harness.SCREEN_HEIGHT):
                continue
            seen = screen.pixel(left + px, top + py)
            expected = pictures.expected_colour(px, py, width, height, quadrants)
            if not harness.close_colour(seen, expected, COLOUR_TOLERANCE):
                wrong.append((px, py, seen, expected))
        return wrong

    def assert_ends_after(self, run, seen, seconds):
        """The process ends normally about `seconds` after its window was seen."""
        code, ended = run.wait_end(seconds + START_UP)
        self.assertIsNotNone(code, "the process did not end")
        self.assertEqual(code, 0, "exit code")
        shown = ended - seen
        self.assertGreaterEqual(shown, seconds - ROUNDING - EARLY_SLACK, "shown too briefly")
        self.assertLessEqual(shown, seconds + ROUNDING + LATE_SLACK, "shown too long")

    def assert_ends_without_show(self, run, timeout=START_UP):
        """The process ends within `timeout` and no show window appears meanwhile."""
        window, _ = harness.wait_window(timeout, while_running=run)
        self.assertIsNone(window, "a show window appeared")
        code, _ = run.wait_end(timeout)
        self.assertIsNotNone(code, "the process did not end")
        self.assertEqual(code, 0, "exit code")
