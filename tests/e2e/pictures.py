"""Test pictures made on the spot with ImageMagick, and damaged picture files."""

import struct
import subprocess
import zlib

# Four quadrants of distinct colours, so that a picture drawn shifted, mirrored, cropped or
# not stretched shows the wrong colour somewhere.
TOP_LEFT = (220, 40, 40)
TOP_RIGHT = (40, 200, 60)
BOTTOM_LEFT = (40, 60, 220)
BOTTOM_RIGHT = (240, 220, 40)
QUADRANTS = (TOP_LEFT, TOP_RIGHT, BOTTOM_LEFT, BOTTOM_RIGHT)


def _hex(colour):
    return "#%02x%02x%02x" % colour


def make_quadrants(path, width, height, magick_format):
    """Writes a width x height picture in the given ImageMagick format (BMP3, GIF, JPEG, PNG,
    TIFF, WEBP, ...), whatever the file's name says."""
    half_w, half_h = width // 2, height // 2
    draws = []
    for colour, (x, y) in zip(QUADRANTS, ((0, 0), (half_w, 0), (0, half_h), (half_w, half_h))):
        right = x + (half_w if x == 0 else width - half_w) - 1
        bottom = y + (half_h if y == 0 else height - half_h) - 1
        draws += ["-fill", _hex(colour), "-draw", f"rectangle {x},{y} {right},{bottom}"]
    # Full-resolution colour and high quality keep JPEG's colour bleed away from the samples.
    options = ["-quality", "95", "-sampling-factor", "1x1"] if magick_format == "JPEG" else []
    subprocess.run(
        ["convert", "-size", f"{width}x{height}", "xc:black", *draws, *options,
         f"{magick_format}:{path}"],
        check=True,
    )


def write_quadrant_png(path, width, height):
    """make_quadrants' picture as a PNG of any size: ImageMagick refuses sides above 16384."""
    half_w, half_h = width // 2, height // 2
    top, bottom = ([b"\0" + bytes(left) * half_w + bytes(right) * (width - half_w)]
                   for left, right in (QUADRANTS[:2], QUADRANTS[2:]))
    data = zlib.compress(b"".join(top * half_h + bottom * (height - half_h)), 1)
    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n"
                  + _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + _chunk(b"IDAT", data) + _chunk(b"IEND", b""))


# A checkerboard of single black and white pixels, averaged.
GREY = (128, 128, 128)


def make_checkerboard(path, width, height, magick_format):
    """A one-pixel black and white checkerboard: shrunk by averaging, it is grey; by dropping
    pixels, black, white or stripes."""
    subprocess.run(["convert", "-size", f"{width}x{height}", "pattern:gray50", "-type", "Palette",
                    f"{magick_format}:{path}"], check=True)


def expected_colour(x, y, width, height, quadrants=QUADRANTS):
    """The quadrant colour at (x, y) of a quadrant picture stretched to width x height."""
    right = x >= width // 2
    bottom = y >= height // 2
    return quadrants[2 * bottom + right]


# The quadrants as they stand once EXIF orientation 6 (a quarter turn clockwise) is applied.
TURNED_RIGHT = (BOTTOM_LEFT, TOP_LEFT, BOTTOM_RIGHT, TOP_RIGHT)


def add_exif_orientation(path, orientation):
    """Puts an EXIF block recording the orientation into a JPEG file, as a camera does."""
    entry = struct.pack(">HHIHH", 0x0112, 3, 1, orientation, 0)
    tiff = b"MM\0*" + struct.pack(">IH", 8, 1) + entry + struct.pack(">I", 0)
    body = b"Exif\0\0" + tiff
    segment = b"\xff\xe1" + struct.pack(">H", len(body) + 2) + body
    with open(path, "rb") as jpeg:
        content = jpeg.read()
    # After the JFIF segment that follows the start marker, where cameras put it.
    at = 2
    if content[2:4] == b"\xff\xe0":
        at = 4 + struct.unpack(">H", content[4:6])[0]
    with open(path, "wb") as jpeg:
        jpeg.write(content[:at] + segment + content[at:])


def sample_points(width, height):
    """Quadrant centres, and points 3 pixels inside each corner to catch shifts and crops."""
    inset = 3
    points = []
    for fx in (0.25, 0.75):
        for fy in (0.25, 0.75):
            points.append((int(width * fx), int(height * fy)))
    for x in (inset, width - 1 - inset):
        for y in (inset, height - 1 - inset):
            points.append((x, y))
    return points


def _chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def write_huge_png_header(path, side=20000):
    """A well-formed PNG start whose header claims side x side pixels, with almost no data."""
    header = struct.pack(">IIBBBBB", side, side, 8, 2, 0, 0, 0)
    data = zlib.compress(b"\0" * 64)
    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) + _chunk(b"IDAT", data)
                  + _chunk(b"IEND", b""))


def write_truncated_copy(source, path):
    """The first third of a real picture file, as a broken download leaves it."""
    with open(source, "rb") as whole:
        content = whole.read()
    with open(path, "wb") as part:
        part.write(content[: len(content) // 3])


def write_text(path):
    with open(path, "w", encoding="utf-8") as text:
        text.write("This is not a picture.\n")
