#pragma once
// The words of the run's trace lines in the language in use. Nearly every step writes some of
// them, so they are looked up in the translation when the program starts and when the language
// changes, never at a step.

#include <QString>

struct TraceWords {
    QString constant;       // "定数 ", before a constant's type and value
    QString variable;       // "変数", before a variable's
    QString sent;           // " 転送", after the value sent
    QString computes;       // " 演算 : ", after the operator's ID
    QString nothingToSend;  // "転送処理なし": an operator whose inputs are not both there

    // The words as the translation now in use gives them.
    static TraceWords InUse();
};
