#pragma once
// Texts rendered once per font and kept as runs of set pixels, so that a redraw prints each
// label by filling a few spans instead of shaping and rasterising it again. Nothing is
// antialiased, so a text is exactly the set of pixels in its runs.

#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

struct TextRun {
    int dy;      // row, from the top of the text's line
    int x0, x1;  // columns from the text's left edge, inclusive
};

// A text's runs and the rectangle around them (empty when there are none).
struct TextRuns {
    std::vector<TextRun> runs;
    QRect box;
};

class TextCache {
public:
    // The label font: the canvas's face at a size in pixels, bold and underline as asked.
    static QFont LabelFont(bool bold, bool underline, int pixelSize);

    // The runs of text in that font, printed with its top-left at (0, 0). Null when the text
    // is too large to keep (the caller then draws it directly).
    const TextRuns* Runs(const QString& text, bool bold, bool underline, int pixelSize);

    // The distance from the top of a line to its baseline in that font.
    int Ascent(bool bold, bool underline, int pixelSize);

private:
    struct Key {
        QString text;
        int font;  // pixel size, bold and underline in one number
    };
    // A key to look up with, which copies no text.
    struct KeyView {
        QStringView text;
        int font;
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(const Key& k) const noexcept {
            return (*this)(KeyView{k.text, k.font});
        }
        std::size_t operator()(const KeyView& k) const noexcept;
    };
    struct KeyEqual {
        using is_transparent = void;
        static KeyView View(const Key& k) { return {k.text, k.font}; }
        static KeyView View(const KeyView& k) { return k; }
        template <typename A, typename B>
        bool operator()(const A& a, const B& b) const noexcept {
            const KeyView x = View(a), y = View(b);
            return x.font == y.font && x.text == y.text;
        }
    };

    std::unordered_map<Key, TextRuns, KeyHash, KeyEqual> texts_;
    std::unordered_map<int, int> ascents_;
};
