#pragma once
// A scripted person for tests: it records everything it is asked and answers from queues.
// A question it has no answer for fails the test; messages are recorded for the test to take,
// and a message no test took fails the test when the fake goes away.

#include "model/prompter.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class FakePrompter : public Prompter {
public:
    struct FileQuestion {
        bool save = false;
        QString filter;
        QString proposed;
    };

    ~FakePrompter() override;

    // Answers, used in order.
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> fileAnswers;  // nullopt = the person cancels
    std::deque<std::function<void(ElementDialog&)>> elementScripts;
    std::deque<std::function<void(ArgNoDialog&)>> argNoScripts;
    std::deque<std::function<void(ExportDialog&)>> exportScripts;
    bool failBitmapWrites = false;
    // Used when the queues are empty (randomised tests); without them an empty queue fails.
    std::function<Answer()> fallbackAnswer;
    std::function<void(ElementDialog&)> fallbackElementScript;
    std::function<void(ArgNoDialog&)> fallbackArgNoScript;
    // Called on every message as it is shown (for example to look at the canvas meanwhile).
    std::function<void(const QString&)> onMessage;
    // Called on every Yes/No/Cancel question as it is asked.
    std::function<void(const QString&)> onQuestion;

    // What was asked.
    QStringList messages;
    QStringList questions;
    std::vector<Answer> preferredAnswers;  // what Return would have answered, question by question
    std::vector<FileQuestion> fileQuestions;
    QStringList bitmapPaths;
    int elementDialogs = 0;
    int argNoDialogs = 0;
    int exportDialogs = 0;

    // Returns the messages shown so far and forgets them.
    QStringList TakeMessages();

    void Message(const QString& text) override;
    Answer AskYesNoCancel(const QString& text, Answer preferred = Answer::Yes) override;
    std::optional<QString> OpenFileName(const QString& filter, const QString& proposed) override;
    std::optional<QString> SaveFileName(const QString& filter, const QString& proposed) override;
    void ShowElementDialog(ElementDialog& dialog) override;
    void ShowArgNoDialog(ArgNoDialog& dialog) override;
    void ShowExportDialog(ExportDialog& dialog) override;
    bool SaveBitmap(const QImage& image, const QString& path) override;

private:
    std::optional<QString> NextFile(bool save, const QString& filter, const QString& proposed);
};
