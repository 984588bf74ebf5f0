#pragma once
// The value an element starts a run with, from its kind and text: a constant holds its text as
// a number or a string, a variable holds no value yet. Other kinds keep what they hold.

struct ElementRec;

void ResetElementValue(ElementRec& e);
