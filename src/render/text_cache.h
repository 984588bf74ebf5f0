#pragma once
// Texts rendered once per font and kept as runs of set pixels, so that a redraw prints each
// label by filling a few spans instead of shaping and rasterising it again. Nothing is
// antialiased, so a text is exactly the set of pixels in its runs.

#include <QFont>
#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

struct TextRun {
    int dy;      // row, from the top of the text's line
    int x0, x1;  // columns from the text's left edge, inclusive
};

class TextCache {
public:
    // The label font: the canvas's face at a size in pixels, bold and underline as asked.
    static QFont LabelFont(bool bold, bool underline, int pixelSize);

    // The runs of text in that font, printed with its top-left at (0, 0). Null when the text
    // is too large to keep (the caller then draws it directly).
    const std::vector<TextRun>* Runs(const QString& text, bool bold, bool underline, int pixelSize);

    // The distance from the top of a line to its baseline in that font.
    int Ascent(bool bold, bool underline, int pixelSize);

private:
    struct Key {
        QString text;
        int font;  // pixel size, bold and underline in one number
        bool operator==(const Key& o) const { return font == o.font && text == o.text; }
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const noexcept;
    };

    std::unordered_map<Key, std::vector<TextRun>, KeyHash> texts_;
    std::unordered_map<int, int> ascents_;
};
