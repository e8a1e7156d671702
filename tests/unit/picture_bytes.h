#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

// The first bytes of small picture files, with any size the header may claim.
namespace picture_bytes {

using Bytes = std::vector<std::uint8_t>;

inline void Put(Bytes& out, std::uint32_t value, int count, bool bigEndian) {
    for (int i = 0; i < count; ++i) {
        const int shift = 8 * (bigEndian ? count - 1 - i : i);
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

inline Bytes Bmp(std::int32_t width, std::int32_t height, std::uint32_t headerSize = 40) {
    Bytes out = {'B', 'M'};
    Put(out, 0, 12, false);  // file size, reserved, pixel offset: not looked at
    Put(out, headerSize, 4, false);
    if (headerSize == 12) {
        Put(out, static_cast<std::uint32_t>(width), 2, false);
        Put(out, static_cast<std::uint32_t>(height), 2, false);
    } else {
        Put(out, static_cast<std::uint32_t>(width), 4, false);
        Put(out, static_cast<std::uint32_t>(height), 4, false);
    }
    Put(out, 0x00180001, 4, false);  // one plane, 24 bits
    return out;
}

inline Bytes Png(std::uint32_t width, std::uint32_t height, const char* chunk = "IHDR") {
    Bytes out = {137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13};
    out.insert(out.end(), chunk, chunk + 4);
    Put(out, width, 4, true);
    Put(out, height, 4, true);
    return out;
}

// A segment: marker, big-endian length (of itself and the body), body.
inline Bytes Segment(std::uint8_t marker, const Bytes& body) {
    Bytes out = {0xFF, marker};
    Put(out, static_cast<std::uint32_t>(body.size() + 2), 2, true);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

inline Bytes Sof(std::uint32_t width, std::uint32_t height, std::uint8_t marker = 0xC0) {
    Bytes body = {8};
    Put(body, height, 2, true);
    Put(body, width, 2, true);
    body.insert(body.end(), {1, 1, 0x11, 0});
    return Segment(marker, body);
}

inline const Bytes kSoi = {0xFF, 0xD8};
inline const Bytes kApp0 = Segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
inline const Bytes kSos = Segment(0xDA, {1, 1, 0, 0, 0x3F, 0});

inline Bytes Jpeg(std::uint32_t width, std::uint32_t height, std::uint8_t marker = 0xC0) {
    return Cat({kSoi, kApp0, Sof(width, height, marker), kSos, {0, 0, 0xFF, 0xD9}});
}

using Frame = std::pair<std::uint32_t, std::uint32_t>;

inline Bytes GifFrame(Frame size) {
    Bytes out = {0x2C, 0, 0, 0, 0};
    Put(out, size.first, 2, false);
    Put(out, size.second, 2, false);
    out.insert(out.end(), {0, 2, 2, 0x44, 0x01, 0});  // no colour table; code size; data
    return out;
}

// A GIF89a with a two-colour table and the given frames.
inline Bytes Gif(Frame screen, std::initializer_list<Frame> frames = {{1, 1}}) {
    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    Put(out, screen.first, 2, false);
    Put(out, screen.second, 2, false);
    out.insert(out.end(), {0x80, 0, 0, 0, 0, 0, 255, 255, 255});
    for (const auto& frame : frames) {
        const auto bytes = GifFrame(frame);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.push_back(0x3B);
    return out;
}

}  // namespace picture_bytes
