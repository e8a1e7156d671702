"""`kestro.exe /start` waits, hidden, for the end of the session, and only then shows."""

import time

import controls
import harness
import media
from checks import START_UP, KestroCase

SIZE = (200, 120)
SIGN_IN_SIZE = (160, 100)
SECONDS = 1
# A test show that the session's end meets gives way within this.
GIVES_WAY = 2


class WaitingCase(KestroCase):
    def waiting_instance(self, file_name="quadrants.png", magick_format="PNG"):
        """A /start instance whose hidden window exists, so that it is ready for the end."""
        folder = self.folder()
        path = self.picture(folder, file_name, magick_format, *SIZE)
        folder.write_ini(MediaFile=harness.windows_path(path), Time=SECONDS)
        run = self.start(folder, "/start")
        window, _ = harness.wait_window(START_UP, visible_only=False, while_running=run)
        self.assertIsNotNone(window, "the hidden window never appeared")
        self.assertEqual(harness.find_windows(visible_only=True), [], "shown before the end")
        self.assert_waits_small(run)
        return run

    def assert_waits_small(self, run):
        self.assertTrue(run.running(), "a /start instance stopped waiting")
        # The libraries of the show and of COM load at the end of the session, not all day.
        with open(f"/proc/{run.process.pid}/maps") as maps:
            mapped = {line.rsplit("/", 1)[-1].strip().lower() for line in maps}
        for dll in ("ole32.dll", "winmm.dll", "windowscodecs.dll"):
            self.assertNotIn(dll, mapped, f"a waiting instance holds {dll}")

    def assert_end_of_session_shows(self, run, name):
        wineboot = harness.end_session()
        try:
            window, seen = self.wait_shown(run)
            self.assert_window_shows_picture(window, *SIZE, name)
            self.assert_ends_after(run, seen, SECONDS)
        finally:
            wineboot.wait(START_UP)


class EndOfSession(WaitingCase):
    def test_end_of_session_shows_the_picture(self):
        for name, file_name, magick_format in (
            ("png", "quadrants.png", "PNG"),
            ("jpg", "quadrants.jpg", "JPEG"),
        ):
            with self.subTest(name):
                run = self.waiting_instance(file_name, magick_format)
                self.assert_end_of_session_shows(run, f"end-session-{name}")

    def test_second_start_ends_at_once_and_first_still_waits(self):
        first = self.waiting_instance()
        second = self.start(self.folders[0], "/start")
        self.assert_ends_without_show(second)
        self.assertTrue(first.running(), "the waiting instance ended too")
        self.assert_end_of_session_shows(first, "end-session-after-second-start")

    def test_sign_in_shows_its_file_once_and_the_end_still_shows_the_media_file(self):
        folder = self.folder()
        path = self.picture(folder, "quadrants.png", "PNG", *SIZE)
        sign_in = self.picture(folder, "sign-in.png", "PNG", *SIGN_IN_SIZE)
        folder.write_ini(MediaFile=harness.windows_path(path),
                         LogonFile=harness.windows_path(sign_in), Time=SECONDS)
        run = self.start(folder, "/start")
        window, seen = self.wait_shown(run)
        self.assert_window_shows_picture(window, *SIGN_IN_SIZE, "sign-in")
        # Its decoder ran in the show process: the waiting instance stays as small as ever.
        self.assert_waits_small(run)
        while harness.find_windows(visible_only=True):
            self.assertLess(time.monotonic() - seen, SECONDS + START_UP, "shown for ever")
            time.sleep(harness.POLL_SECONDS)
        second = self.start(folder, "/start")
        self.assert_ends_without_show(second)
        self.assert_end_of_session_shows(run, "end-session-after-sign-in")

    def test_a_sign_in_show_still_running_is_ended_first(self):
        folder = self.folder()
        path = self.picture(folder, "quadrants.png", "PNG", *SIZE)
        sign_in = folder.file("sign-in.wav")
        media.make_tone(sign_in, 60)
        folder.write_ini(MediaFile=harness.windows_path(path),
                         LogonFile=harness.windows_path(sign_in), Time=SECONDS)
        run = self.start(folder, "/start")
        deadline = time.monotonic() + START_UP
        while not harness.show_process_ids(folder):
            self.assertLess(time.monotonic(), deadline, "no sign-in show")
            time.sleep(harness.POLL_SECONDS)
        # Well under way, as a sign-in sound is when the user shuts down at once.
        time.sleep(1)
        self.assert_waits_small(run)
        wineboot = harness.end_session()
        try:
            window, seen = self.wait_shown(run)
            self.assertEqual(harness.show_process_ids(folder), [], "the sign-in show still runs")
            self.assert_window_shows_picture(window, *SIZE, "end-session-during-sign-in")
            self.assert_ends_after(run, seen, SECONDS)
        finally:
            wineboot.wait(START_UP)

    def test_close_from_outside_ends_without_show(self):
        run = self.waiting_instance()
        harness.taskkill_by_name()
        self.assert_ends_without_show(run)

    def test_a_test_show_gives_way_to_the_end_of_the_session(self):
        folder = self.folder()
        path = self.picture(folder, "quadrants.png", "PNG", *SIZE)
        # Longer than the one-hour cap: only the end of the session can end it in time.
        folder.write_ini(MediaFile=harness.windows_path(path), Time=3601)
        run = self.start(folder, "/test")
        self.wait_shown(run)
        asked = time.monotonic()
        wineboot = harness.end_session()
        try:
            code, ended = run.wait_end(START_UP)
            self.assertIsNotNone(code, "the test show outlived the end of the session")
            self.assertLess(ended - asked, GIVES_WAY, "did not give way at once")
            self.assertEqual(harness.find_windows(visible_only=True), [], "a second show")
        finally:
            # Answered in time, so that Wine has no "not responding" dialog to wait on.
            self.assertEqual(wineboot.wait(START_UP), 0, "wineboot did not complete")


class LockAndUnlock(WaitingCase):
    def session_changes(self, code):
        """Windows' WM_WTSSESSION_CHANGE at a lock (7) or unlock (8): Wine sends none."""
        self.assertEqual(controls.probe("sessionchange", code).returncode, 0, "no waiting window")

    def test_lock_plays_its_sound_and_unlock_ends_it_and_shows_its_picture(self):
        run = self.waiting_instance()
        folder = self.folders[0]
        # An older kestro.ini, without LockFile and UnlockFile: nothing at all.
        self.session_changes("7")
        self.session_changes("8")
        quiet = time.monotonic() + 3  # time enough for a show process to start
        while time.monotonic() < quiet:
            self.assertEqual(harness.show_process_ids(folder), [], "a show without files")
        # Each lock and unlock reads kestro.ini as it is then.
        media.make_tone(folder.file("lock.wav"), 60)
        self.picture(folder, "unlock.png", "PNG", *SIGN_IN_SIZE)
        folder.write_ini(MediaFile=harness.windows_path(folder.file("quadrants.png")), Time=SECONDS,
                         LockFile=harness.windows_path(folder.file("lock.wav")),
                         UnlockFile=harness.windows_path(folder.file("unlock.png")))
        streams = media.sound_streams()
        self.session_changes("7")
        deadline = time.monotonic() + START_UP
        while media.sound_streams() == streams:
            self.assertLess(time.monotonic(), deadline, "no sound at the lock")
            time.sleep(harness.POLL_SECONDS)
        self.assertEqual(harness.find_windows(visible_only=True), [], "a window at the lock")
        self.assert_waits_small(run)
        self.session_changes("8")
        window, seen = self.wait_shown(run)
        self.assert_window_shows_picture(window, *SIGN_IN_SIZE, "unlock")
        self.assertEqual(media.sound_streams(), streams, "the lock's sound still plays")
        while harness.find_windows(visible_only=True):
            self.assertLess(time.monotonic() - seen, SECONDS + START_UP, "shown for ever")
            time.sleep(harness.POLL_SECONDS)
        self.assert_end_of_session_shows(run, "end-session-after-unlock")
