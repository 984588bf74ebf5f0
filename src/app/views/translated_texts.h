#pragma once
// Widgets that show a text of the program keep the text's Japanese source, so that a change of
// language (オプション > 言語) can show them afresh in the new one without building the window
// again.

class QObject;

// Shows source, translated, on object (a menu's title, an action's or a button's text, a
// label's text, else a window's title), and keeps it for Retranslate. source is marked with
// QT_TRANSLATE_NOOP("Quillrun", ...) and lives as long as the program.
void KeepTranslated(QObject* object, const char* source);

// Shows every kept text of root and of everything below it in the language now in use.
void Retranslate(QObject* root);
