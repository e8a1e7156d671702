#pragma once

#include <array>
#include <string>
#include <string_view>

namespace show {

// The endings drawn as still pictures, in any case; every other file goes to the media device.
inline constexpr std::array<std::wstring_view, 13> kStillPictureEndings = {
    L".bmp", L".gif",  L".jpg",  L".jpeg", L".jpe",  L".jfif", L".png",
    L".tif", L".tiff", L".webp", L".heic", L".heif", L".ico"};

bool IsStillPicture(const std::wstring& path);

}  // namespace show
