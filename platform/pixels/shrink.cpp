#include "platform/pixels/shrink.h"

#include <algorithm>

namespace platform {
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
void AddRow(const std::uint8_t* row, const std::vector<int>& first, std::uint64_t* sums) {
    const int* bound = first.data() + 1;
    const int* const end = first.data() + first.size();
    for (; bound != end; ++bound, sums += kChannels) {
        const std::uint8_t* const last = row + static_cast<std::size_t>(*bound) * BytesPerPixel;
        const std::uint8_t* pixel = row + static_cast<std::size_t>(bound[-1]) * BytesPerPixel;
        std::uint64_t blue = 0;
        std::uint64_t green = 0;
        std::uint64_t red = 0;
        std::uint64_t alpha = 0;
        for (; pixel != last; pixel += BytesPerPixel) {
            blue += pixel[0];
            green += pixel[1];
            red += pixel[2];
            if constexpr (BytesPerPixel == kChannels) {
                alpha += pixel[3];
            }
        }
        sums[0] += blue;
        sums[1] += green;
        sums[2] += red;
        sums[3] += alpha;
    }
}

// The rounded average of `sum` over the pixels whose count `share` is one over. Multiplied
// rather than divided: four divisions for every pixel shown took longer than the summing. The
// product is off by far less than the nudge, and the nudge by less than half of one over the
// count (at most 64 Mi pixels), so the result is the exact rounded average.
std::uint32_t Average(std::uint64_t sum, double share) {
    constexpr double kNudge = 1e-9;
    return static_cast<std::uint32_t>(static_cast<double>(sum) * share + 0.5 + kNudge);
}

}  // namespace

PictureShrink::PictureShrink(Size from, Size to, unsigned bytesPerPixel, bool opaque)
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

void PictureShrink::AddRows(const std::uint8_t* pixels, int rows, std::size_t stride) {
    for (int row = 0; row < rows; ++row, ++storedRow_) {
        if (ShownIndex(storedRow_, from_.height, to_.height) != shownRow_) {
            FinishRow();
        }
        const std::uint8_t* pixel = pixels + static_cast<std::size_t>(row) * stride;
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
        const double share = 1.0 / (static_cast<double>(first_[x + 1] - first_[x]) *
                                    static_cast<double>(rowsInShownRow_));
        std::uint32_t value = alpha ? 0 : kOpaque;
        for (unsigned channel = 0; channel < (alpha ? kChannels : 3U); ++channel) {
            value |= Average(sum[channel], share) << (8U * channel);
        }
        target[x] = value;
        std::fill_n(sum, kChannels, 0);
    }
    rowsInShownRow_ = 0;
    ++shownRow_;
}

}  // namespace platform
