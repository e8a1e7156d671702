#pragma once

#include <optional>

namespace platform {

// How a stored picture must be mirrored and turned to stand upright, numbered as EXIF numbers
// it: 1 upright, 2-4 mirrored or turned by a half, 5-8 turned by a quarter.
class Orientation {
  public:
    constexpr Orientation() = default;

    // Nothing for a number that EXIF does not define.
    static constexpr std::optional<Orientation> FromExif(unsigned number) {
        if (number < kUpright || number > kLast) {
            return std::nullopt;
        }
        return Orientation(static_cast<int>(number));
    }

    constexpr int Exif() const { return number_; }
    constexpr bool Upright() const { return number_ == kUpright; }
    // A quarter turn: the picture's width and height change places on screen.
    constexpr bool SwapsSides() const { return number_ >= kFirstQuarter; }

    friend constexpr bool operator==(Orientation, Orientation) = default;

  private:
    static constexpr int kUpright = 1;
    static constexpr int kFirstQuarter = 5;
    static constexpr int kLast = 8;

    constexpr explicit Orientation(int number) : number_(number) {}

    int number_ = kUpright;
};

}  // namespace platform
