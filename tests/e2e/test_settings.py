"""Without a picture to show, the program opens its settings window instead."""

import time

import harness
from checks import START_UP, KestroCase


class NoMediaFile(KestroCase):
    def test_settings_window_opens_and_waits(self):
        # A missing kestro.ini and one without MediaFile alike leave nothing to show; the
        # show processes' arguments typed by hand are unknown arguments like any other.
        for name, keys, args in (
            ("no-ini-plain", None, ()),
            ("no-ini-start", None, ("/start",)),
            ("no-media-file-plain", {"Time": 1}, ()),
            ("no-ini-test", None, ("/test",)),
            ("bom-only-test", b"\xef\xbb\xbf", ("/test",)),
            ("show-argument-typed", {"MediaFile": "C:\\bye.png"}, ("/kestro-command-show",)),
            ("sign-in-argument-typed", {"MediaFile": "C:\\bye.png", "LogonFile": "C:\\hi.png"},
             ("/kestro-sign-in-show",)),
        ):
            with self.subTest(name):
                folder = self.folder()
                if isinstance(keys, bytes):
                    with open(folder.file("kestro.ini"), "wb") as ini:
                        ini.write(keys)
                elif keys is not None:
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
