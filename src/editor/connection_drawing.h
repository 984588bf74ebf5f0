#pragma once
// The presses that draw a connection: choosing the start element, placing and taking back bend
// points, refusing constants as targets and completing the connection on its target element.
// Each returns false when the press is ignored (the canvas is then not refreshed).

#include <QString>
#include "model/translation.h"

struct Session;
struct SharedState;

inline constexpr SourceText kNoInputOnConstants{
    QT_TRANSLATE_NOOP("Quillrun", "定数には出力できません")};

bool ConnectionLeftPress(Session& s, float x, float y);   // states 110, 112, 113
bool ConnectionRightPress(Session& s, float x, float y);  // states 112, 113

// Empties ArgNo of connection c; for a function or operator target with two or more inputs asks
// for the argument number with the argument-number dialog; then prints the label. No publish.
void PromptArgumentNumber(Session& s, int c);

// In states 111 to 113 the connection being drawn is the last one and still has no end element.
// A full redraw in the meantime (a run step, a panel command, a loaded file) drops it; drawing
// then ends (state 0) instead of going on with a finished connection. True when it ended.
bool EndLostConnection(SharedState& st);
