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

// Adds one stored row to the sums of the shown columns: the stored columns of shown column x
// run from first[x] to first[x + 1], summed in registers before the sums are touched.
template <unsigned BytesPerPixel>
void AddRow(const BYTE* pixel, const std::vector<int>& first, std::uint64_t* sums) {
    for (std::size_t x = 0; x + 1 < first.size(); ++x) {
        std::uint64_t channel[kChannels] = {};
        for (int column = first[x]; column < first[x + 1]; ++column) {
            for (unsigned c = 0; c < std::min(BytesPerPixel, kChannels); ++c) {
                channel[c] += pixel[c];
            }
            pixel += BytesPerPixel;
        }
        for (unsigned c = 0; c < kChannels; ++c) {
            sums[x * kChannels + c] += channel[c];
        }
    }
}

}  // namespace

PictureShrink::PictureShrink(platform::Size from, platform::Size to, unsigned bytesPerPixel,
                             bool opaque)
    : from_(from),
      to_(to),
      bytesPerPixel_(bytesPerPixel),
      opaque_(opaque),
      first_(static_cast<std::size_t>(to.width) + 1),
      sums_(static_cast<std::size_t>(to.width) * kChannels),
      shown_(static_cast<std::size_t>(to.width) * static_cast<std::size_t>(to.height)) {
    // The first stored column whose shown column is x.
    for (int x = 0, column = 0; x <= to.width; ++x) {
        while (column < from.width && ShownIndex(column, from.width, to.width) < x) {
            ++column;
        }
        first_[static_cast<std::size_t>(x)] = column;
    }
}

void PictureShrink::AddRows(const BYTE* pixels, int rows, std::size_t stride) {
    for (int row = 0; row < rows; ++row, ++storedRow_) {
        if (ShownIndex(storedRow_, from_.height, to_.height) != shownRow_) {
            FinishRow();
        }
        const BYTE* pixel = pixels + static_cast<std::size_t>(row) * stride;
        if (bytesPerPixel_ == 3) {
            AddRow<3>(pixel, first_, sums_.data());
        } else {
            AddRow<kChannels>(pixel, first_, sums_.data());
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
        const std::uint64_t count =
            std::uint64_t(first_[x + 1] - first_[x]) * std::uint64_t{rowsInShownRow_};
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
