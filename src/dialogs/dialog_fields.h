#pragma once
// How the dialogs read their number fields (the leading number, rounded half to even) and the
// message shared by the dialogs that take a label font. No dialog state lives here.

#include "model/numeric_text.h"
#include "model/translation.h"

#include <QString>

inline double ReadDialogNumber(const QString& text) {
    return RoundHalfEven(ReadNumber(text));
}

// Shown when a font size reads as a number a label font cannot hold; the dialog stays open.
inline constexpr SourceText kFontSizeRangeMessage{
    QT_TRANSLATE_NOOP("Quillrun", "サイズには -32768 から 32767 までの数値を入力してください。")};
