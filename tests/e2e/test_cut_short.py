"""A click on the show, or Esc, Enter or Space, ends it at once; with LimitMedia a sound stops
after Time seconds."""

import subprocess
import time

import controls
import harness
import media
from checks import START_UP, KestroCase

LONG_TIME = 30
# The user's input reaching the show and Wine taking its process down.
AT_ONCE = 1.0
# The end of the session under Wine (wineboot asking every window) after the command's show.
SESSION_END = 8


class CutShort(KestroCase):
    def show_picture(self, command_line, waiting=False):
        folder = self.folder()
        path = self.picture(folder, "quadrants.png", "PNG")
        folder.write_ini(MediaFile=harness.windows_path(path), Time=LONG_TIME)
        runs = [self.start(folder, "/start")] if waiting else []
        if waiting:
            harness.wait_window(START_UP, visible_only=False, while_running=runs[0])
        runs.append(self.start(folder, command_line))
        window, _ = self.wait_shown(runs[-1])
        x, y, width, height, _ = harness.geometry(window)
        return runs, (x + width // 2, y + height // 2)

    def test_a_click_or_a_dismissing_key_ends_the_test_show(self):
        for how in ("click", "Escape", "space"):
            with self.subTest(how):
                (run,), centre = self.show_picture("/test")
                time.sleep(0.5)  # the picture is up
                # The session's X server has no window manager to give the show the X focus,
                # so keys go where the pointer is; Wine then hands them to the active window.
                subprocess.run(["xdotool", "mousemove", *map(str, centre)], check=True)
                time.sleep(0.1)
                cut = time.monotonic()
                if how == "click":
                    subprocess.run(["xdotool", "click", "1"], check=True)
                else:
                    subprocess.run(["xdotool", "key", how], check=True)
                code, ended = run.wait_end(LONG_TIME)
                self.assertEqual(code, 0, "exit code")
                self.assertLess(ended - cut, AT_ONCE, "the show went on")

    def test_a_click_ends_the_shutdown_show_and_the_session_follows(self):
        (waiting, command), centre = self.show_picture("/shutdown", waiting=True)
        controls.click(*centre)
        cut = time.monotonic()
        for run in (command, waiting):
            code, ended = run.wait_end(SESSION_END)
            self.assertEqual(code, 0, "a Kestro outlived the end of the session")
            self.assertLess(ended - cut, SESSION_END)
        self.assertEqual(harness.find_windows(visible_only=True), [], "a second show")

    def test_limit_media_stops_a_sound_after_time(self):
        folder = self.folder()
        path = folder.file("tone.wav")
        media.make_tone(path, 20)
        folder.write_ini(MediaFile=harness.windows_path(path), Time=2, LimitMedia=1)
        run = self.start(folder, "/test")
        deadline = time.monotonic() + START_UP
        while not media.sound_streams():
            self.assertLess(time.monotonic(), deadline, "no sound")
            time.sleep(harness.POLL_SECONDS)
        began = time.monotonic()
        while media.sound_streams() and time.monotonic() - began < 20:
            time.sleep(harness.POLL_SECONDS)
        self.assertAlmostEqual(time.monotonic() - began, 2, delta=0.7, msg="the sound's length")
        self.assertEqual(run.wait_end(START_UP)[0], 0, "exit code")

