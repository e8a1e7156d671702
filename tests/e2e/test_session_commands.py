"""Kestro ends the session itself: `/shutdown`, `/restart` and `/logoff` show on the live
desktop first; a waiting `/start` instance knows, and ends without a second show. Under Wine,
ExitWindowsEx runs `wineboot --end-session`, which asks every window to close."""

import os
import signal
import subprocess
import time

import harness
import hostile
import media
from checks import START_UP, KestroCase

SIZE = (200, 120)
SIGN_OUT_SIZE = (160, 100)
SECONDS = 2
SOUND_SECONDS = 3
# A close-app or critical request must end the program at once, well before a show could end.
AT_ONCE = 3
LONG_SHOW = 6
# What the command allows a show: a still picture Time + 15 s, a sound 10 s without an answer.
PICTURE_MARGIN = 15
SILENCE = 10
# Ending the show process, the session's end under Wine and seeing it, on a loaded machine.
BOUND_SLACK = 6


class SessionCommands(KestroCase):
    def configured_folder(self, seconds=SECONDS, sound=False, sound_seconds=SOUND_SECONDS):
        folder = self.folder()
        if sound:
            path = folder.file("tone.wav")
            media.make_tone(path, sound_seconds)
        else:
            path = self.picture(folder, "quadrants.png", "PNG", *SIZE)
        folder.write_ini(MediaFile=harness.windows_path(path), Time=seconds)
        return folder

    def waiting_in(self, folder):
        run = self.start(folder, "/start")
        window, _ = harness.wait_window(START_UP, visible_only=False, while_running=run)
        self.assertIsNotNone(window, "the hidden window never appeared")
        return run

    def assert_nothing_shown_until_both_end(self, *runs):
        deadline = time.monotonic() + START_UP
        while any(run.running() for run in runs) and time.monotonic() < deadline:
            self.assertEqual(harness.find_windows(visible_only=True), [], "a second show")
            time.sleep(harness.POLL_SECONDS)
        for run in runs:
            self.assertFalse(run.running(), "a process outlived the end of the session")

    def test_one_show_at_a_time(self):
        # name, how the first Kestro starts, a sign-in sound, the command, seconds into the
        # command's show after which another program ends the session
        for name, first, sign_in, command_line, session_ends in (
            ("session ends during /shutdown", "/start", False, "/shutdown", 1.5),
            ("sign-in sound, then /logoff", "/start", True, "/logoff", None),
            ("test picture, then /shutdown", "/test", False, "/shutdown", None),
        ):
            with self.subTest(name):
                folder = self.configured_folder(seconds=LONG_SHOW, sound=sign_in)
                if sign_in:
                    media.make_tone(folder.file("sign-in.wav"), 60)
                    folder.write_ini(MediaFile=harness.windows_path(folder.file("tone.wav")),
                                     LogonFile=harness.windows_path(folder.file("sign-in.wav")))
                runs = [self.start(folder, first)]
                harness.wait_window(START_UP, visible_only=first == "/test")
                deadline = time.monotonic() + START_UP
                while sign_in and not media.sound_streams():
                    self.assertLess(time.monotonic(), deadline, "no sign-in sound")
                    time.sleep(harness.POLL_SECONDS)
                runs.append(self.start(folder, command_line))
                if session_ends:
                    self.wait_shown(runs[-1])
                    time.sleep(session_ends)
                    self.addCleanup(harness.end_session().wait, START_UP)
                shows = 0
                deadline = time.monotonic() + LONG_SHOW + START_UP
                while any(run.running() for run in runs) and time.monotonic() < deadline:
                    shows = max(shows, len(harness.find_windows(visible_only=True))
                                + media.sound_streams())
                    self.assertLessEqual(shows, 1, "two shows at once")
                    time.sleep(harness.POLL_SECONDS)
                self.assertEqual(shows, 1, "no show")
                self.assertFalse(any(run.running() for run in runs), "a Kestro outlived the end")

    def test_close_app_and_critical_requests_end_at_once_without_show(self):
        for name, flags in (("close-app", "1"), ("critical", "40000000")):
            with self.subTest(name):
                run = self.waiting_in(self.configured_folder(seconds=LONG_SHOW))
                asked = time.monotonic()
                # Like an installer's Restart Manager: a request sent to the hidden window.
                sender = subprocess.Popen(
                    ["wine", os.environ["KESTRO_PROBE"], "endsession", harness.CAPTION, flags],
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                try:
                    self.assert_ends_without_show(run, timeout=AT_ONCE + LONG_SHOW)
                    self.assertLess(run.wait_end(0)[1] - asked, AT_ONCE, "did not end at once")
                finally:
                    sender.wait(START_UP)

    def test_shutdown_and_logoff_show_their_pictures_then_end_the_session_once(self):
        # /logoff shows the sign-out file; /shutdown the media file beside it.
        for command_line, size in (("/shutdown", SIZE), ("/logoff", SIGN_OUT_SIZE)):
            with self.subTest(command_line):
                folder = self.configured_folder()
                sign_out = self.picture(folder, "sign-out.png", "PNG", *SIGN_OUT_SIZE)
                folder.write_ini(MediaFile=harness.windows_path(folder.file("quadrants.png")),
                                 LogoffFile=harness.windows_path(sign_out), Time=SECONDS)
                waiting = self.waiting_in(folder)
                command = self.start(folder, command_line)
                window, seen = self.wait_shown(command)
                self.assert_window_shows_picture(window, *size, f"{command_line[1:]}-command")
                while window in harness.find_windows(visible_only=True):
                    self.assertLess(time.monotonic() - seen, SECONDS + START_UP, "shown for ever")
                    time.sleep(harness.POLL_SECONDS)
                self.assertGreaterEqual(time.monotonic() - seen, SECONDS - 0.7,
                                        "shown too briefly")
                # The waiting instance was told: the end of the session takes it without a
                # show.
                self.assert_nothing_shown_until_both_end(command, waiting)

    def test_a_click_ends_the_show_and_the_session_follows_at_once(self):
        folder = self.configured_folder(seconds=LONG_SHOW * 5)
        waiting = self.waiting_in(folder)
        command = self.start(folder, "/shutdown")
        harness.cut_short(self.wait_shown(command)[0], "click")
        self.assertEqual(command.wait_end(LONG_SHOW)[0], 0, "the command waited for Time")
        self.assert_nothing_shown_until_both_end(waiting)

    def test_logoff_plays_the_sound_then_ends_the_session(self):
        folder = self.configured_folder(sound=True)
        waiting = self.waiting_in(folder)
        command = self.start(folder, "/logoff")
        started = time.monotonic()
        code, ended = command.wait_end(SOUND_SECONDS + START_UP)
        self.assertEqual(code, 0, "exit code")
        self.assertGreaterEqual(ended - started, SOUND_SECONDS - 0.5, "the sound was cut")
        self.assert_nothing_shown_until_both_end(waiting)

    def test_shutdown_without_a_media_file_ends_at_once(self):
        folder = self.folder()
        folder.write_ini(Time=1)
        waiting = self.start(folder, "/start")
        harness.wait_window(START_UP, caption=harness.SETTINGS_CAPTION, while_running=waiting)
        command = self.start(folder, "/shutdown")
        # No settings window of its own: the waiting instance's one goes with the session.
        self.assert_ends_without_show(command)
        self.assert_nothing_shown_until_both_end(waiting)
        self.assertEqual(harness.find_windows(True, harness.SETTINGS_CAPTION), [])

    def test_a_show_that_crashes_or_freezes_does_not_hold_the_end_of_the_session(self):
        # name, command, what the show gets, the test freezes it, seconds the command may take
        for name, command, kind, freeze, bound in (
            ("self-linked-tiff-shutdown", "/shutdown", "tiff", False, SECONDS + PICTURE_MARGIN),
            ("self-linked-tiff-logoff", "/logoff", "tiff", False, SECONDS + PICTURE_MARGIN),
            ("frozen-picture", "/shutdown", "picture", True, SECONDS + PICTURE_MARGIN),
            ("frozen-sound", "/logoff", "sound", True, SILENCE),
        ):
            with self.subTest(name):
                folder = self.configured_folder(sound=kind == "sound", sound_seconds=60)
                if kind == "tiff":
                    path = folder.file("loop.tif")
                    with open(path, "wb") as tiff:
                        tiff.write(hostile.tiff_self_linked())
                    folder.write_ini(MediaFile=harness.windows_path(path), Time=SECONDS)
                waiting = self.waiting_in(folder)
                run = self.start(folder, command)
                frozen = []
                since = run.started
                try:
                    if freeze:
                        deadline = time.monotonic() + START_UP
                        while not frozen and time.monotonic() < deadline:
                            frozen = harness.show_process_ids(folder)
                            time.sleep(harness.POLL_SECONDS)
                        self.assertTrue(frozen, "no show process")
                        # Frozen once the show is under way, as a decoder or driver hangs.
                        time.sleep(1)
                        for pid in frozen:
                            os.kill(pid, signal.SIGSTOP)
                        since = time.monotonic()
                    code, ended = run.wait_end(START_UP + bound)
                    self.assertEqual(code, 0, "the command did not end")
                    self.assertLess(ended - since, bound + BOUND_SLACK, "held too long")
                finally:
                    # Wine takes a stopped process down only once it runs again; Windows ends
                    # a hung one at once.
                    for pid in frozen:
                        try:
                            os.kill(pid, signal.SIGKILL)
                        except ProcessLookupError:
                            pass
                # The waiting instance goes with the session's end, without a show.
                self.assert_nothing_shown_until_both_end(waiting)
