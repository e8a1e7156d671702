"""Hostile media files, each made small on the spot: lying sizes, zero fields, cut-off headers
and the wrong content behind an ending, as damaged downloads and odd tools leave them."""

import struct
import zlib

import media

# --- pictures ---------------------------------------------------------------------------------


def jpeg(width=64, height=48, sof=0xC0, before_sof=b""):
    """A baseline JPEG start: SOI, JFIF, a quantisation table, `before_sof`, then an SOF of the
    given type and size with one component, a Huffman table, SOS, a little scan data and EOI."""
    app0 = b"\xff\xe0" + struct.pack(">H", 16) + b"JFIF\0\x01\x01\0\0\x01\0\x01\0\0"
    dqt = b"\xff\xdb" + struct.pack(">H", 67) + b"\0" + bytes(range(1, 65))
    sof_segment = (struct.pack(">BBH", 0xFF, sof, 11) + b"\x08"
                   + struct.pack(">HH", height, width) + b"\x01\x01\x11\x00")
    dht = b"\xff\xc4" + struct.pack(">H", 20) + b"\0" + b"\x01" + b"\0" * 15 + b"\0"
    sos = b"\xff\xda" + struct.pack(">H", 8) + b"\x01\x01\x00\x00\x3f\x00"
    return b"\xff\xd8" + app0 + dqt + before_sof + sof_segment + dht + sos + b"\0" * 64 + b"\xff\xd9"


def jpeg_sos_first():
    """The scan comes before any frame header: markers in an order no decoder can follow."""
    sos = b"\xff\xda" + struct.pack(">H", 8) + b"\x01\x01\x00\x00\x3f\x00"
    return b"\xff\xd8" + sos + jpeg()[2:]


def jpeg_lying_segment():
    """An APP1 segment whose length runs far past the end of the file."""
    return b"\xff\xd8\xff\xe1\xff\xff" + b"Exif\0\0" + b"\0" * 32


def gif(screen=(64, 48), frame=(64, 48), frames=1):
    """A GIF89a with a two-colour table and `frames` images of the given size, all of one
    pixel's worth of data."""
    out = b"GIF89a" + struct.pack("<HHBBB", *screen, 0x80, 0, 0) + b"\0\0\0\xff\xff\xff"
    for _ in range(frames):
        out += b"\x2c" + struct.pack("<HHHHB", 0, 0, *frame, 0) + b"\x02\x02\x44\x01\x00"
    return out + b"\x3b"


def gif_huge_second_frame():
    return gif()[:-1] + gif(frame=(65535, 65535))[13 + 6:]


def bmp(width=64, height=48, header_size=40):
    """A 24-bit BMP; a negative height is a top-down picture."""
    row = (width * 3 + 3) // 4 * 4 if 0 < width < 4096 else 4
    pixels = b"\x80" * (row * min(abs(height), 48))
    info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, 24, 0, len(pixels), 2835,
                       2835, 0, 0)
    offset = 14 + len(info)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + pixels


def png(width=64, height=48):
    """A grey PNG; the header can claim any size while the data stays a few bytes."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body)))

    rows = min(height, 48) * (1 + min(width, 64))
    header = struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(b"\x80" * rows)) + chunk(b"IEND", b""))


def tiff_self_linked(width=64, height=48):
    """A grey TIFF whose first image directory names itself as the next one: an endless chain
    that crashes Wine's TIFF decoder."""
    tags = ((256, 3, width), (257, 3, height), (258, 3, 8), (259, 3, 1), (262, 3, 1),
            (273, 4, None), (277, 3, 1), (278, 3, height), (279, 4, width * height))
    directory_size = 2 + 12 * len(tags) + 4
    pixels_at = 8 + directory_size
    entries = b"".join(
        struct.pack("<HHI", tag, kind, 1)
        + (struct.pack("<HH", value, 0) if kind == 3 else
           struct.pack("<I", pixels_at if value is None else value))
        for tag, kind, value in tags)
    directory = struct.pack("<H", len(tags)) + entries + struct.pack("<I", 8)
    return b"II*\0" + struct.pack("<I", 8) + directory + b"\x80" * (width * height)


# --- sound ------------------------------------------------------------------------------------


def wav(channels=1, rate=8000, bits=8, block_align=None, data_size=None, seconds=1):
    """A PCM WAV of silence; any format field can lie."""
    if block_align is None:
        block_align = channels * bits // 8
    data = b"\x80" * int(8000 * seconds)
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * block_align, block_align, bits)
    body = (b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data"
            + struct.pack("<I", len(data) if data_size is None else data_size) + data)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def midi(track_length=None, tracks=1):
    """A one-note MIDI file of half a second; the track length can lie."""
    events = (b"\x00\x90\x3c\x40" + b"\x60\x80\x3c\x40" + b"\x00\xff\x2f\x00")
    length = len(events) if track_length is None else track_length
    header = b"MThd" + struct.pack(">IHHH", 6, 0, tracks, 96)
    return header + b"MTrk" + struct.pack(">I", length) + events


# --- video ------------------------------------------------------------------------------------

# Offsets in the AVI that media.make_quadrant_video writes: the main header's frame count and
# the video stream header's scale, rate and length.
AVI_FIELDS = {"total_frames": 48, "scale": 128, "rate": 132, "length": 140, "width": 176,
              "height": 180}


def avi(path, **fields):
    """A one-second Microsoft Video 1 AVI with some header fields overwritten."""
    media.make_quadrant_video(path, 1, "msvideo1")
    with open(path, "r+b") as video:
        for name, value in fields.items():
            video.seek(AVI_FIELDS[name])
            video.write(struct.pack("<I", value & 0xFFFFFFFF))
