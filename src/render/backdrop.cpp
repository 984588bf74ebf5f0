#include "render/backdrop.h"

#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

Backdrop::Backdrop(const QImage& picture) : width_(picture.width()) {
    const auto bytes = static_cast<std::size_t>(width_) * sizeof(QRgb);
    std::unordered_multimap<std::size_t, int> seen;  // a row's hash, where it is kept
    rowOf_.reserve(static_cast<std::size_t>(picture.height()));
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const std::size_t hash = std::hash<std::string_view>{}(
            std::string_view(reinterpret_cast<const char*>(row), bytes));
        int at = -1;
        const auto [first, last] = seen.equal_range(hash);
        for (auto it = first; it != last && at < 0; ++it)
            if (std::memcmp(rows_.data() + it->second, row, bytes) == 0) at = it->second;
        if (at < 0) {
            at = static_cast<int>(rows_.size());
            rows_.insert(rows_.end(), row, row + width_);
            seen.emplace(hash, at);
        }
        rowOf_.push_back(at);
    }
}

void Backdrop::CopyTo(QImage& picture, const QRect& r) const {
    if (r.isEmpty()) return;
    const auto bytes = static_cast<std::size_t>(r.width()) * sizeof(QRgb);
    uchar* bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* to = reinterpret_cast<QRgb*>(bits + y * stride) + r.left();
        std::memcpy(to, rows_.data() + rowOf_[static_cast<std::size_t>(y)] + r.left(), bytes);
    }
}
