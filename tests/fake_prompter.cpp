#include "fake_prompter.h"

#include <gtest/gtest.h>

FakePrompter::~FakePrompter() {
    EXPECT_TRUE(messages.isEmpty())
        << "messages no test looked at: " << messages.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(answers.empty()) << answers.size() << " answers were never asked for";
    EXPECT_TRUE(fileAnswers.empty()) << fileAnswers.size() << " file answers were never asked for";
    EXPECT_TRUE(elementScripts.empty()) << "element dialog scripts left over";
    EXPECT_TRUE(argNoScripts.empty()) << "argument dialog scripts left over";
    EXPECT_TRUE(exportScripts.empty()) << "export dialog scripts left over";
}

QStringList FakePrompter::TakeMessages() {
    QStringList taken;
    taken.swap(messages);
    return taken;
}

void FakePrompter::Message(const QString& text) {
    messages << text;
    if (onMessage) onMessage(text);
}

Answer FakePrompter::AskYesNoCancel(const QString& text, Answer preferred) {
    questions << text;
    preferredAnswers.push_back(preferred);
    if (onQuestion) onQuestion(text);
    if (answers.empty() && fallbackAnswer) return fallbackAnswer();
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return Answer::Cancel;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> FakePrompter::NextFile(bool save, const QString& filter,
                                              const QString& proposed) {
    fileQuestions.push_back({save, filter, proposed});
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << filter.toStdString();
        return std::nullopt;
    }
    auto a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

std::optional<QString> FakePrompter::OpenFileName(const QString& filter, const QString& proposed) {
    return NextFile(false, filter, proposed);
}

std::optional<QString> FakePrompter::SaveFileName(const QString& filter, const QString& proposed) {
    return NextFile(true, filter, proposed);
}

void FakePrompter::ShowElementDialog(ElementDialog& dialog) {
    ++elementDialogs;
    if (elementScripts.empty() && fallbackElementScript) return fallbackElementScript(dialog);
    if (elementScripts.empty()) {
        ADD_FAILURE() << "unexpected element dialog";
        return;
    }
    auto script = std::move(elementScripts.front());
    elementScripts.pop_front();
    script(dialog);
}

void FakePrompter::ShowArgNoDialog(ArgNoDialog& dialog) {
    ++argNoDialogs;
    if (argNoScripts.empty() && fallbackArgNoScript) return fallbackArgNoScript(dialog);
    if (argNoScripts.empty()) {
        ADD_FAILURE() << "unexpected argument-number dialog";
        return;
    }
    auto script = std::move(argNoScripts.front());
    argNoScripts.pop_front();
    script(dialog);
}

void FakePrompter::ShowExportDialog(ExportDialog& dialog) {
    ++exportDialogs;
    if (exportScripts.empty()) {
        ADD_FAILURE() << "unexpected export dialog";
        return;
    }
    auto script = std::move(exportScripts.front());
    exportScripts.pop_front();
    script(dialog);
}

bool FakePrompter::SaveBitmap(const QImage& image, const QString& path) {
    bitmapPaths << path;
    if (failBitmapWrites) return false;
    return image.save(path, "BMP");
}
