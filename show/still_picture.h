#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace show {

// The endings drawn as still pictures, in any case; every other file goes to the media device.
inline constexpr std::array<std::wstring_view, 13> kStillPictureEndings = {
    L".bmp", L".gif",  L".jpg",  L".jpeg", L".jpe",  L".jfif", L".png",
    L".tif", L".tiff", L".webp", L".heic", L".heif", L".ico"};

bool IsStillPicture(const std::wstring& path);

// What a picture file holds, told by its first bytes, whatever its name says.
enum class PictureContent { Unknown, Png, Bmp, Gif, Jpeg, Tiff, WebP, Heif, Icon };

PictureContent SniffPicture(std::span<const std::uint8_t> head);

// How the show decodes a still picture: the PNG road with its size probe, the OLE picture
// loader, or the imaging decoder for every other format.
enum class PictureRoad { Png, OlePicture, Decoder };

// The content decides; content that no signature names falls back to the file's ending.
PictureRoad ChooseRoad(PictureContent content, const std::wstring& path);

}  // namespace show
