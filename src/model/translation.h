#pragma once
// The texts a person reads are written in Japanese and shown through Qt's translation, so that
// an English translation can take their place when the person asks for it. Every such text
// belongs to the one context "Quillrun": a text written once is translated once, wherever it
// appears. What the program stores or compares (the selection kinds, "Number", "String",
// "*Undefine*") is state, not text, and never goes through here.
//
// A text kept in a constant is a SourceText: it cannot be shown without Tr(), so a constant
// initialised before the translation is installed is still shown in the person's language.

#include <QCoreApplication>
#include <QString>

inline constexpr char kTextContext[] = "Quillrun";

struct SourceText {
    const char* source;  // UTF-8, marked with QT_TRANSLATE_NOOP("Quillrun", ...)
};

// The text in the language in use.
inline QString Tr(SourceText text) {
    return QCoreApplication::translate(kTextContext, text.source);
}
