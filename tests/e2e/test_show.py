"""`kestro.exe /test` shows the configured picture at once, for Time seconds, then ends."""

import ctypes
import os
import subprocess
import time

import harness
import media
import pictures
from checks import KestroCase, save_png

NATURAL = (200, 120)
STRETCHED = (300, 200)


class ShowPicture(KestroCase):
    def check(self, name, file_name, magick_format, seconds, size=None, subfolder=None):
        folder = self.folder()
        path = self.picture(folder, file_name, magick_format, *NATURAL, subfolder=subfolder)
        keys = {"MediaFile": harness.windows_path(path), "Time": seconds}
        if size:
            keys.update(Width=size[0], Height=size[1])
        folder.write_ini(**keys)
        run = self.start(folder, "/test")
        window, seen = self.wait_shown(run)
        self.assert_window_shows_picture(window, *(size or NATURAL), name)
        self.assert_ends_after(run, seen, seconds)

    def test_natural_size(self):
        # Two values of Time, so that a program ignoring it (default 3) is caught.
        for name, file_name, magick_format, seconds in (
            ("bmp", "quadrants.bmp", "BMP3", 1),
            ("gif", "quadrants.gif", "GIF", 2),
            ("jpg", "quadrants.jpg", "JPEG", 1),
            ("png", "quadrants.png", "PNG", 2),
        ):
            with self.subTest(name):
                self.check(f"natural-{name}", file_name, magick_format, seconds)

    def test_fixed_size_stretches(self):
        for name, file_name, magick_format, seconds in (
            ("bmp", "quadrants.bmp", "BMP3", 2),
            ("gif", "quadrants.gif", "GIF", 1),
            ("jpg", "quadrants.jpg", "JPEG", 2),
            ("png", "quadrants.png", "PNG", 1),
        ):
            with self.subTest(name):
                self.check(f"stretched-{name}", file_name, magick_format, seconds, STRETCHED)

    def test_a_click_or_a_key_ends_the_show_at_once(self):
        for how in ("click", "Escape", "space"):
            with self.subTest(how):
                folder = self.folder()
                path = self.picture(folder, "quadrants.png", "PNG")
                folder.write_ini(MediaFile=harness.windows_path(path), Time=30)
                run = self.start(folder, "/test")
                harness.cut_short(self.wait_shown(run)[0], how)
                cut = time.monotonic()
                self.assertLess(run.wait_end(30)[1] - cut, 1, "the show went on")

    def test_path_and_ending_forms(self):
        # Japanese names reach the program through kestro.ini in code page 932; endings
        # are matched in any case.
        for name, subfolder, file_name, magick_format in (
            ("japanese-png", "写真", "夕焼け.png", "PNG"),
            ("japanese-jpg", "写真", "夕焼け.jpg", "JPEG"),
            ("upper-case-png", None, "QUADRANTS.PNG", "PNG"),
            ("upper-case-jpg", None, "QUADRANTS.JPG", "JPEG"),
        ):
            with self.subTest(name):
                self.check(name, file_name, magick_format, 1, subfolder=subfolder)


class PictureContent(KestroCase):
    def test_content_decides_the_decoder(self):
        # Any ending for a picture, whatever the content; a camera's orientation is kept.
        # Wine has no WebP decoder: a .webp may end as any undecodable picture does.
        turned = (NATURAL[1], NATURAL[0])
        for name, file_name, magick_format, orientation, size, may_refuse in (
            ("jpeg", "quadrants.jpeg", "JPEG", None, None, False),
            ("tif", "quadrants.tif", "TIFF", None, None, False),
            ("jpeg-named-png", "quadrants.png", "JPEG", None, None, False),
            ("png-named-jpg", "quadrants.jpg", "PNG", None, None, False),
            ("gif-named-png", "quadrants.png", "GIF", None, None, False),
            ("ico", "quadrants.ico", "ICO", None, None, False),
            ("exif-turned", "phone.jpg", "JPEG", 6, None, False),
            ("exif-turned-stretched", "phone.JPEG", "JPEG", 6, STRETCHED, False),
            ("webp", "quadrants.webp", "WEBP", None, None, True),
        ):
            with self.subTest(name):
                folder = self.folder()
                path = self.picture(folder, file_name, magick_format, *NATURAL)
                if orientation:
                    pictures.add_exif_orientation(path, orientation)
                keys = {"MediaFile": harness.windows_path(path), "Time": 1}
                if size:
                    keys.update(Width=size[0], Height=size[1])
                folder.write_ini(**keys)
                run = self.start(folder, "/test")
                window, seen = self.wait_shown(run)
                shown = size or (turned if orientation else NATURAL)
                quadrants = pictures.TURNED_RIGHT if orientation else pictures.QUADRANTS
                if not (may_refuse and harness.geometry(window)[2:4] != shown):
                    self.assert_window_shows_picture(window, *shown, f"content-{name}", quadrants)
                self.assert_ends_after(run, seen, 1)


    def test_gif_frame_smaller_than_its_screen_at_its_place(self):
        # The first frame is the right half of the logical screen; the left half shows the
        # window's background, whatever it is, not a stretched frame.
        folder = self.folder()
        path = folder.file("half.gif")
        right = pictures.QUADRANTS[1::2]
        fills = ("-fill", "#%02x%02x%02x" % right[0], "-draw", "rectangle 0,0 99,59",
                 "-fill", "#%02x%02x%02x" % right[1], "-draw", "rectangle 0,60 99,119")
        subprocess.run(["convert", "-size", "100x120", "xc:black", *fills,
                        "-repage", "200x120+100+0", f"GIF:{path}"], check=True)
        folder.write_ini(MediaFile=harness.windows_path(path), Time=3)  # up while it is looked at
        window, _ = self.wait_shown(self.start(folder, "/test"))
        x, y = self.assert_window_placed(window, *NATURAL)
        time.sleep(0.5)  # the first paint
        background = harness.screenshot().pixel(x + 3, y + 3)
        self.assertNotIn(background, right)
        self.assert_window_shows_picture(window, *NATURAL, "gif-frame-at-its-place",
                                         (background, right[0], background, right[1]))


class FitToScreen(KestroCase):
    def test_larger_than_the_screen_is_fitted(self):
        # The screen is 1280 x 1024. Each row: how the file is made, its stored size, the
        # settings' fixed size, and the size shown.
        photo = (2400, 1800)
        for name, file_name, make, stored, fixed, shown in (
            ("jpeg-photo", "photo.jpg", "JPEG", photo, None, (1280, 960)),
            ("png-photo", "photo.png", "PNG", photo, None, (1280, 960)),
            ("bmp-portrait", "tall.bmp", "BMP3", (1400, 2100), None, (683, 1024)),
            ("sideways-phone-photo", "phone.jpg", "JPEG-6", photo, None, (768, 1024)),
            ("small-unchanged", "small.jpg", "JPEG", (200, 120), None, (200, 120)),
            ("fixed-size-kept", "photo.jpg", "JPEG", photo, (1600, 1200), (1600, 1200)),
            ("video", "clip.avi", "AVI", (1600, 1200), None, (1280, 960)),
            # Longer than 32767 pixels, each end seen in its place.
            ("png-taller-than-32767", "long.png", "PNG-LONG", (1000, 33000), None, (31, 1024)),
            ("png-wider-than-32767", "wide.png", "PNG-LONG", (33000, 1000), None, (1280, 39)),
            # Averaged on every road.
            ("bmp-checkerboard", "board.bmp", "BOARD-BMP3", (2048, 1536), None, (1280, 960)),
            ("gif-checkerboard", "board.gif", "BOARD-GIF", (2048, 1536), None, (1280, 960)),
            ("png-checkerboard", "board.png", "BOARD-PNG", (2048, 1536), None, (1280, 960)),
            ("tiff-checkerboard", "board.tif", "BOARD-TIFF", (2048, 1536), None, (1280, 960)),
        ):
            with self.subTest(name):
                folder = self.folder()
                path = os.path.join(folder.path, file_name)
                quadrants = pictures.QUADRANTS
                if make == "AVI":
                    media.make_quadrant_video(path, 2, "msvideo1", stored)
                elif make == "PNG-LONG":
                    pictures.write_quadrant_png(path, *stored)
                elif make.startswith("BOARD-"):
                    pictures.make_checkerboard(path, *stored, make.split("-")[1])
                    quadrants = (pictures.GREY,) * 4
                else:
                    pictures.make_quadrants(path, *stored, make.split("-")[0])
                if make == "JPEG-6":
                    pictures.add_exif_orientation(path, 6)
                    quadrants = pictures.TURNED_RIGHT
                # Long enough to be looked at whole on a loaded machine, where a large
                # picture's first paint may come late.
                keys = {"MediaFile": harness.windows_path(path), "Time": 2}
                if fixed:
                    keys.update(Width=fixed[0], Height=fixed[1])
                folder.write_ini(**keys)
                run = self.start(folder, "/test")
                window, _ = self.wait_shown(run)
                # Size, centre, and every corner and quadrant that lies on the screen.
                self.assert_window_shows_picture(window, *shown, f"fit-{name}", quadrants)
                self.assertEqual(run.wait_end(10)[0], 0, "exit code")


class Backdrop(KestroCase):
    @staticmethod
    def outside(screen, box):
        """The screen's pixels with those of the box (x, y, width, height) blanked out."""
        x, y, width, height = box
        data, row = bytearray(screen.data), 3 * screen.width
        for top in range(y, y + height):
            data[top * row + 3 * x:top * row + 3 * (x + width)] = bytes(3 * width)
        return data

    @staticmethod
    def desktop_of(pixel):
        """Gives the X display's root this colour (0xRRGGBB) and returns its screenshot."""
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        display = ctypes.c_void_p(x11.XOpenDisplay(None))
        root = ctypes.c_ulong(x11.XDefaultRootWindow(display))
        x11.XSetWindowBackground(display, root, ctypes.c_ulong(pixel))
        x11.XClearWindow(display, root)
        x11.XCloseDisplay(display)
        return harness.screenshot()

    def test_black_over_the_whole_desktop_only_with_backdrop(self):
        # Xvfb's root may be black already: grey, on which black is seen.
        desktop = self.desktop_of(0x808080)
        self.addCleanup(self.desktop_of, 0)
        for backdrop in (0, 1):
            with self.subTest(backdrop=backdrop):
                folder = self.folder()
                path = self.picture(folder, "quadrants.png", "PNG")
                folder.write_ini(MediaFile=harness.windows_path(path), Time=30, Backdrop=backdrop)
                run = self.start(folder, "/test")
                window, _ = self.wait_shown(run)
                self.assert_window_shows_picture(window, *NATURAL, f"backdrop-{backdrop}")
                box = harness.geometry(window)[:4]
                screen = harness.screenshot()
                seen = self.outside(screen, box)
                if seen != (bytes(len(seen)) if backdrop else self.outside(desktop, box)):
                    self.fail(f"the desktop around the picture: {save_png(screen, 'backdrop')}")
                # A click on the backdrop, far from the picture, ends the show as one on it.
                subprocess.run(["xdotool", "mousemove", "5", "5", "click", "1"], check=True)
                if not backdrop:
                    harness.cut_short(window, "click")
                self.assertEqual(run.wait_end(3)[0], 0, "the show went on")
