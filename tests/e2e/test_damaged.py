"""Pictures that cannot be shown: the program must neither crash nor hang."""

import harness
import pictures
from checks import COLOUR_TOLERANCE, START_UP, KestroCase

SECONDS = 1
GRID = 8


def visible_samples(screen, geometry):
    """A grid of points over the part of the window that lies on the screen."""
    x, y, width, height, _ = geometry
    left, top = max(x, 0), max(y, 0)
    right, bottom = min(x + width, screen.width), min(y + height, screen.height)
    for i in range(GRID):
        for j in range(GRID):
            px = left + (right - left - 1) * i // (GRID - 1)
            py = top + (bottom - top - 1) * j // (GRID - 1)
            yield px, py, screen.pixel(px, py)


class DamagedPicture(KestroCase):
    def prepare(self, folder, kind):
        """Writes the damaged file of the given kind; returns its path."""
        if kind == "missing":
            return folder.file("missing.png")
        if kind == "huge-png":
            path = folder.file("huge.png")
            pictures.write_huge_png_header(path)
            return path
        if kind == "text-png":
            path = folder.file("text.png")
            pictures.write_text(path)
            return path
        good = self.picture(folder, "good." + kind[-3:], {"jpg": "JPEG", "png": "PNG"}[kind[-3:]])
        path = folder.file("truncated." + kind[-3:])
        pictures.write_truncated_copy(good, path)
        return path

    def test_shows_an_empty_window_for_time_seconds(self):
        for kind in ("truncated-jpg", "truncated-png", "text-png", "huge-png", "missing"):
            with self.subTest(kind):
                folder = self.folder()
                folder.write_ini(MediaFile=harness.windows_path(self.prepare(folder, kind)),
                                 Time=SECONDS)
                run = self.start(folder, "/test")
                window, seen = self.wait_shown(run)
                # Read once: with Time at 1 s the window may be gone by the time it is read again.
                geometry = harness.geometry(window)
                self.assertTrue(geometry[4], "the window is not viewable")
                screen = harness.screenshot()
                for px, py, colour in visible_samples(screen, geometry):
                    for quadrant in pictures.QUADRANTS:
                        self.assertFalse(
                            harness.close_colour(colour, quadrant, COLOUR_TOLERANCE),
                            f"part of the damaged picture shows at ({px}, {py})")
                self.assert_ends_after(run, seen, SECONDS)


class NotAStillPicture(KestroCase):
    def test_other_endings_end_at_once(self):
        # A picture whose ending is not a still picture's goes to the media device, which
        # cannot play it.
        for name, magick_format in (("quadrants.jp2", "JPEG"), ("quadrants.tga", "TGA")):
            with self.subTest(name):
                folder = self.folder()
                path = self.picture(folder, name, magick_format)
                folder.write_ini(MediaFile=harness.windows_path(path), Time=SECONDS)
                self.assert_ends_without_show(self.start(folder, "/test"), START_UP)
