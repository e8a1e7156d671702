"""Video and sound: played through the media device at the end of the show, to their end."""

import os
import time
import harness
import media
from checks import START_UP, KestroCase

SOUND_SECONDS = 3
VIDEO_SECONDS = 2
# Wine takes a moment to start the process and to open and close the device.
LATE_SLACK = 2.0
EARLY_SLACK = 0.3
# The video device reports the end when it shows the last frame (a fifth of a second).
LAST_FRAME = 0.2


class PlayMedia(KestroCase):
    def media_folder(self, name, make, subfolder=None):
        folder = self.folder()
        directory = folder.file(subfolder) if subfolder else folder.path
        os.makedirs(directory, exist_ok=True)
        path = os.path.join(directory, name)
        make(path)
        return folder, path

    def assert_plays_for(self, run, since, seconds, early=EARLY_SLACK):
        """The process ends normally once the media has played, not before, nor much later."""
        code, ended = run.wait_end(seconds + START_UP)
        self.assertIsNotNone(code, "the process did not end")
        self.assertEqual(code, 0, "exit code")
        self.assertGreaterEqual(ended - since, seconds - early, "ended before the media")
        self.assertLessEqual(ended - since, seconds + LATE_SLACK, "ran on after the media")

    def test_sound_plays_to_its_end_without_a_window(self):
        for name, subfolder in (("tone.wav", None), ("good bye.wav", "my media"),
                                ("TONE.WAV", None)):
            with self.subTest(name):
                folder, path = self.media_folder(
                    name, lambda p: media.make_tone(p, SOUND_SECONDS), subfolder)
                folder.write_ini(MediaFile=harness.windows_path(path))
                run = self.start(folder, "/test")
                # The window must stay hidden for the whole sound.
                window, _ = harness.wait_window(SOUND_SECONDS + START_UP, while_running=run)
                self.assertIsNone(window, "the show's window appeared for a sound")
                self.assert_plays_for(run, run.started, SOUND_SECONDS)

    def check_video(self, name, codec, size=None, subfolder=None, video=media.VIDEO_SIZE,
                    shown=None):
        folder, path = self.media_folder(
            name, lambda p: media.make_quadrant_video(p, VIDEO_SECONDS, codec, video), subfolder)
        keys = {"MediaFile": harness.windows_path(path)}
        if size:
            keys.update(Width=size[0], Height=size[1])
        folder.write_ini(**keys)
        run = self.start(folder, "/test")
        window, seen = self.wait_shown(run)
        width, height = size or shown or video
        if codec == "raw":
            # Wine's video device reports a negative height for this file and then cannot
            # draw its frames, so only the window is judged.
            self.assert_window_placed(window, width, height)
        else:
            # Each colour in its own quarter: scaled, neither cropped nor left in a corner.
            self.assert_window_shows_picture(window, width, height, f"video-{name}-{size}")
        self.assert_plays_for(run, seen, VIDEO_SECONDS, early=EARLY_SLACK + LAST_FRAME)

    def test_video_at_natural_size(self):
        # Each row: codec, the video's size, the window's (fitted to the 1280 x 1024 screen).
        for codec, video, shown in (("msvideo1", media.VIDEO_SIZE, media.VIDEO_SIZE),
                                    ("raw", media.VIDEO_SIZE, media.VIDEO_SIZE),
                                    ("msvideo1", (2000, 1000), (1280, 640))):
            with self.subTest(codec=codec, video=video):
                self.check_video("quadrants.avi", codec, video=video, shown=shown)

    def test_video_at_fixed_size(self):
        for codec, video, size in (("msvideo1", media.VIDEO_SIZE, (320, 240)),
                                   ("raw", media.VIDEO_SIZE, (320, 240)),
                                   ("msvideo1", (400, 300), (800, 600))):
            with self.subTest(codec=codec, video=video):
                self.check_video("quadrants.avi", codec, size=size, video=video)

    def test_video_name_forms(self):
        for name, subfolder in (("QUADRANTS.AVI", None), ("good bye.avi", "my media")):
            with self.subTest(name):
                self.check_video(name, "msvideo1", subfolder=subfolder)

    def test_end_of_session_plays_to_the_end(self):
        # Inside the answer to the end of the session, as when the user shuts down.
        for name, make, is_video in (
            ("tone.wav", lambda p: media.make_tone(p, SOUND_SECONDS), False),
            ("quadrants.avi",
             lambda p: media.make_quadrant_video(p, VIDEO_SECONDS, "msvideo1"), True),
        ):
            with self.subTest(name):
                folder, path = self.media_folder(name, make)
                folder.write_ini(MediaFile=harness.windows_path(path))
                run = self.start(folder, "/start")
                hidden, _ = harness.wait_window(START_UP, visible_only=False, while_running=run)
                self.assertIsNotNone(hidden, "the hidden window never appeared")
                asked = time.monotonic()
                wineboot = harness.end_session()
                try:
                    if is_video:
                        window, seen = self.wait_shown(run)
                        self.assert_window_shows_picture(window, *media.VIDEO_SIZE,
                                                         "end-session-video")
                        self.assert_plays_for(run, seen, VIDEO_SECONDS,
                                              early=EARLY_SLACK + LAST_FRAME)
                    else:
                        self.assert_plays_for(run, asked, SOUND_SECONDS)
                finally:
                    wineboot.wait(START_UP)

    def test_limit_media_stops_a_sound_after_time(self):
        folder, path = self.media_folder("tone.wav", lambda p: media.make_tone(p, 20))
        folder.write_ini(MediaFile=harness.windows_path(path), Time=2, LimitMedia=1)
        run = self.start(folder, "/test")
        while run.running() and not media.sound_streams():
            time.sleep(harness.POLL_SECONDS)
        began = time.monotonic()
        while media.sound_streams() and time.monotonic() - began < 20:
            time.sleep(harness.POLL_SECONDS)
        played = time.monotonic() - began
        self.assertGreaterEqual(played, 2 - EARLY_SLACK, "the sound's length")
        self.assertLessEqual(played, 2 + LATE_SLACK, "the sound's length")

    def test_missing_files_end_at_once(self):
        for name in ("missing.wav", "missing.avi", 'quote".wav'):
            with self.subTest(name):
                folder = self.folder()
                folder.write_ini(MediaFile=harness.windows_path(folder.file(name)))
                run = self.start(folder, "/test")
                code, ended = run.wait_end(START_UP)
                self.assertEqual(code, 0, "exit code")
                self.assertLess(ended - run.started, 5, "a missing file held the show up")


class PictureWithSound(KestroCase):
    # The picture's Time is shorter than its sound.
    PICTURE_TIME, SOUND_SECONDS = 2, 8

    def test_the_picture_stays_while_its_sound_plays_then_both_end(self):
        # /shutdown ends the session after both: the waiting instance goes with it.
        for command_line in ("/test", "/shutdown"):
            with self.subTest(command_line):
                folder = self.folder()
                picture = self.picture(folder, "quadrants.png", "PNG")
                media.make_tone(folder.file("tone.wav"), self.SOUND_SECONDS)
                folder.write_ini(MediaFile=harness.windows_path(picture), Time=self.PICTURE_TIME,
                                 MediaSound=harness.windows_path(folder.file("tone.wav")))
                waiting = command_line == "/shutdown" and self.start(folder, "/start")
                if waiting:
                    harness.wait_window(START_UP, visible_only=False, while_running=waiting)
                run = self.start(folder, command_line)
                window, seen = self.wait_shown(run)
                self.assert_window_shows_picture(window, 200, 120, "picture-with-sound")
                time.sleep(self.PICTURE_TIME + 1)
                self.assertEqual(harness.find_windows(visible_only=True), [window], "gone")
                self.assertEqual(media.sound_streams(), 1, "no sound with the picture")
                code, ended = run.wait_end(self.SOUND_SECONDS + START_UP)
                self.assertEqual(code, 0, "the show did not end")
                self.assertGreaterEqual(ended - seen, self.SOUND_SECONDS - EARLY_SLACK, "cut")
                self.assertLessEqual(ended - seen, self.SOUND_SECONDS + LATE_SLACK, "ran on")
                self.assertEqual(media.sound_streams(), 0, "the sound outlived the show")
                if waiting:
                    self.assertEqual(waiting.wait_end(START_UP)[0], 0, "the session went on")
