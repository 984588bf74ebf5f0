#pragma once
// A few rectangles of pixels, kept apart where joining them would take in much that neither
// covers: the parts of a picture that changed, or that need drawing again. Rectangles may
// overlap; together they cover every pixel added, and maybe some more.

#include <QRect>

#include <array>
#include <cstdint>

class RectList {
public:
    static constexpr int kMaxRects = 32;

    bool Empty() const { return count_ == 0; }
    // True once the whole picture was added with SetWhole; further additions change nothing.
    bool Whole() const { return whole_; }
    const QRect* begin() const { return rects_.data(); }
    const QRect* end() const { return rects_.data() + count_; }

    // The smallest rectangle around all of them.
    QRect Bounds() const {
        QRect b;
        for (const QRect& r : *this) b |= r;
        return b;
    }
    // The pixels of all rectangles, counting overlaps twice.
    std::int64_t Area() const {
        std::int64_t a = 0;
        for (const QRect& r : *this) a += AreaOf(r);
        return a;
    }

    void Clear() {
        count_ = 0;
        whole_ = false;
    }
    void SetWhole(const QRect& picture) {
        rects_[0] = picture;
        count_ = picture.isEmpty() ? 0 : 1;
        whole_ = true;
    }

    void Add(const QRect& r) {
        if (whole_ || r.isEmpty()) return;
        for (int i = 0; i < count_; ++i)
            if (rects_[i].contains(r)) return;
        QRect u = r;
        // Joins every rectangle that makes little waste with it, until none is left.
        for (int i = 0; i < count_;) {
            const QRect joined = u | rects_[i];
            if (AreaOf(joined) <= AreaOf(u) + AreaOf(rects_[i]) + kSlack) {
                u = joined;
                rects_[i] = rects_[--count_];
                i = 0;
            } else {
                ++i;
            }
        }
        if (count_ < kMaxRects) {
            rects_[count_++] = u;
            return;
        }
        // Full: the rectangle that grows least takes it in.
        int best = 0;
        std::int64_t growth = INT64_MAX;
        for (int i = 0; i < count_; ++i) {
            const std::int64_t g = AreaOf(rects_[i] | u) - AreaOf(rects_[i]);
            if (g < growth) growth = g, best = i;
        }
        const QRect joined = rects_[best] | u;
        rects_[best] = rects_[--count_];
        Add(joined);
    }

private:
    // Pixels that may be taken in for nothing when two rectangles are joined.
    static constexpr std::int64_t kSlack = 4096;

    static std::int64_t AreaOf(const QRect& r) {
        return r.isEmpty() ? 0 : std::int64_t{r.width()} * r.height();
    }

    std::array<QRect, kMaxRects> rects_{};
    int count_ = 0;
    bool whole_ = false;
};
