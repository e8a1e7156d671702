#include "platform/win32/picture_shrink.h"

#include <algorithm>

namespace win32 {
namespace {

constexpr unsigned kChannels = 4;
constexpr std::uint32_t kOpaque = 0xFF000000U;

// The shown row or column that stored row or column `index` of `from` falls in.
int ShownIndex(int index, int from, int to) {
    return static_cast<int>(static_cast<long long>(index) * to / from);
}

// Adds one stored row to the sums of the shown columns its pixels fall in.
template <unsigned BytesPerPixel>
void AddRow(const BYTE* pixel, const std::vector<int>& column, std::uint64_t* sums) {
    for (const int shown : column) {
        std::uint64_t* sum = sums + static_cast<std::size_t>(shown) * kChannels;
        for (unsigned channel = 0; channel < BytesPerPixel; ++channel) {
            sum[channel] += pixel[channel];
        }
        pixel += BytesPerPixel;
    }
}

}  // namespace

PictureShrink::PictureShrink(platform::Size from, platform::Size to, unsigned bytesPerPixel,
                             bool opaque)
    : from_(from),
      to_(to),
      bytesPerPixel_(bytesPerPixel),
      opaque_(opaque),
      column_(static_cast<std::size_t>(from.width)),
      columnCount_(static_cast<std::size_t>(to.width)),
      sums_(static_cast<std::size_t>(to.width) * kChannels),
      shown_(static_cast<std::size_t>(to.width) * static_cast<std::size_t>(to.height)) {
    for (int x = 0; x < from.width; ++x) {
        column_[static_cast<std::size_t>(x)] = ShownIndex(x, from.width, to.width);
        ++columnCount_[static_cast<std::size_t>(column_[static_cast<std::size_t>(x)])];
    }
}

void PictureShrink::AddRows(const BYTE* pixels, int rows, std::size_t stride) {
    for (int row = 0; row < rows; ++row, ++storedRow_) {
        if (ShownIndex(storedRow_, from_.height, to_.height) != shownRow_) {
            FinishRow();
        }
        const BYTE* pixel = pixels + static_cast<std::size_t>(row) * stride;
        if (bytesPerPixel_ == 3) {
            AddRow<3>(pixel, column_, sums_.data());
        } else {
            AddRow<kChannels>(pixel, column_, sums_.data());
        }
        ++rowsInShownRow_;
    }
    if (storedRow_ == from_.height && shownRow_ < to_.height) {
        FinishRow();
    }
}

void PictureShrink::FinishRow() {
    std::uint32_t* target = &shown_[static_cast<std::size_t>(shownRow_) * to_.width];
    const bool alpha = !opaque_ && bytesPerPixel_ == kChannels;
    for (std::size_t x = 0; x < static_cast<std::size_t>(to_.width); ++x) {
        std::uint64_t* sum = &sums_[x * kChannels];
        const std::uint64_t count = std::uint64_t{columnCount_[x]} * rowsInShownRow_;
        std::uint32_t value = alpha ? 0 : kOpaque;
        for (unsigned channel = 0; channel < (alpha ? kChannels : 3U); ++channel) {
            const auto average = count == 0 ? 0 : (sum[channel] + count / 2) / count;
            value |= static_cast<std::uint32_t>(average) << (8U * channel);
        }
        target[x] = value;
        std::fill_n(sum, kChannels, 0);
    }
    rowsInShownRow_ = 0;
    ++shownRow_;
}

}  // namespace win32
