#pragma once
// The value an element starts a run with, from its kind and text: a constant holds its text as
// a number or a string, a variable holds no value yet. Other kinds keep what they hold.

struct ElementRec;

void ResetElementValue(ElementRec& e);

// Constants and variables: 初期化 gives them their values and a run changes those of variables.
// The other kinds keep the values they carry, which only an edit or a file gives them.
bool RunOwnsValue(int kind);
