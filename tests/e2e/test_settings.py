"""Without a picture to show, the program opens its settings window instead."""

import time

import harness
from checks import START_UP, KestroCase


class NoMediaFile(KestroCase):
    def test_settings_window_opens_and_waits(self):
        # A missing kestro.ini and one without MediaFile alike leave nothing to show.
        for name, keys, args in (
            ("no-ini-plain", None, ()),
            ("no-ini-start", None, ("/start",)),
            ("no-media-file-plain", {"Time": 1}, ()),
        ):
            with self.subTest(name):
                folder = self.folder()
                if keys is not None:
                    folder.write_ini(**keys)
                run = self.start(folder, *args)
                window, _ = harness.wait_window(START_UP, while_running=run,
                                                caption=harness.SETTINGS_CAPTION)
                self.assertIsNotNone(window, "the settings window never appeared")
                time.sleep(1)
                self.assertTrue(run.running(), "the program did not wait with its settings")
                self.assertEqual(harness.find_windows(visible_only=True), [],
                                 "the exit show appeared")
                run.kill()

    def test_test_mode_ends_when_nothing_is_set(self):
        self.assert_ends_without_show(self.start(self.folder(), "/test"))
