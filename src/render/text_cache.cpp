#include "render/text_cache.h"

#include <QFontMetrics>
#include <QHashFunctions>
#include <QImage>
#include <QPainter>

namespace {

// Texts beyond this many pixels in either direction are not kept.
constexpr int kLargest = 2048;
// Entries kept before the cache starts afresh; a diagram has at most 200 labels.
constexpr std::size_t kMaxEntries = 4096;
// Room around a text for glyphs that reach past their advance.
constexpr int kPad = 4;

int FontKey(bool bold, bool underline, int pixelSize) {
    return pixelSize * 4 + (bold ? 2 : 0) + (underline ? 1 : 0);
}

}  // namespace

std::size_t TextCache::KeyHash::operator()(const KeyView& k) const noexcept {
    return qHash(k.text, static_cast<size_t>(k.font));
}

QFont TextCache::LabelFont(bool bold, bool underline, int pixelSize) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

int TextCache::Ascent(bool bold, bool underline, int pixelSize) {
    const int key = FontKey(bold, underline, pixelSize);
    auto it = ascents_.find(key);
    if (it == ascents_.end())
        it = ascents_.emplace(key, QFontMetrics(LabelFont(bold, underline, pixelSize)).ascent())
                 .first;
    return it->second;
}

const TextRuns* TextCache::Runs(const QString& text, bool bold, bool underline, int pixelSize) {
    const int fontKey = FontKey(bold, underline, pixelSize);
    if (auto it = texts_.find(KeyView{text, fontKey}); it != texts_.end()) return &it->second;

    const QFont font = LabelFont(bold, underline, pixelSize);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text) + pixelSize + 2 * kPad;
    const int height = metrics.height() + 2 * kPad;
    if (width > kLargest || height > kLargest) return nullptr;

    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(0);
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QPoint(kPad, kPad + Ascent(bold, underline, pixelSize)), text);
    }
    TextRuns runs;
    for (int y = 0; y < height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if ((row[x] & 0xFFFFFFu) == 0) continue;
            const int start = x;
            while (x + 1 < width && (row[x + 1] & 0xFFFFFFu) != 0) ++x;
            runs.runs.push_back({y - kPad, start - kPad, x - kPad});
            runs.box |= QRect(QPoint(start - kPad, y - kPad), QPoint(x - kPad, y - kPad));
        }
    }
    if (texts_.size() >= kMaxEntries) texts_.clear();
    return &texts_.emplace(Key{text, fontKey}, std::move(runs)).first->second;
}
