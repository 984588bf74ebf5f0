// The program's windows, dialogs and messages in English with the English translation and in
// Japanese without it: every text they show is collected and looked at, and each is
// photographed in both languages.

#include "app/export_dialog.h"
#include "app/file_commands.h"
#include "app/language.h"
#include "app/preferences.h"
#include "app/views/export_dialog_view.h"
#include "dialogs/arg_no_dialog.h"
#include "dialogs/views/arg_no_dialog_view.h"
#include "model/prompter.h"
#include "model/session.h"
#include "window_support.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QDockWidget>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace {

bool HoldsJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF)) return true;
    }
    return false;
}

// The texts a window shows in its frame and widgets: its title, labels, buttons, frames, menu
// entries and table headings. The language entries name themselves in their own language and
// are left out.
QStringList ShownTexts(QWidget& w) {
    QStringList texts{w.windowTitle()};
    for (const QLabel* l : w.findChildren<QLabel*>())
        if (l->isVisibleTo(&w)) texts << l->text();
    for (const QAbstractButton* b : w.findChildren<QAbstractButton*>())
        if (b->isVisibleTo(&w)) texts << b->text();
    for (const QGroupBox* g : w.findChildren<QGroupBox*>()) texts << g->title();
    for (const QMenu* m : w.findChildren<QMenu*>()) {
        texts << m->title();
        for (const QAction* a : m->actions())
            if (a->objectName() != "mnuOptionJapanese") texts << a->text();
    }
    for (const QDockWidget* d : w.findChildren<QDockWidget*>()) texts << d->windowTitle();
    for (const QTableView* t : w.findChildren<QTableView*>())
        for (int c = 0; c < t->model()->columnCount(); ++c)
            texts << t->model()->headerData(c, Qt::Horizontal).toString();
    texts.removeAll(QString());
    return texts;
}

// What one tour of the program showed, window by window.
struct Tour {
    std::vector<std::pair<QString, QStringList>> windows;
    QString guide;          // the guide's text
    bool panelFits = true;  // every caption of the panel fits its button
    int panelWidth = 0;     // in pixels
    QStringList clashes;    // menu entries whose Alt key another entry of the menu has too

    void Take(const QString& name, QWidget& w, const QString& language) {
        windows.emplace_back(name, ShownTexts(w));
        Screenshot(w, name + u'_' + language);
    }
};

// Opens every window of the program in the language the translation in use gives.
Tour TakeTour(const QString& language) {
    Tour tour;
    QTemporaryDir folder;
    MainWindow w(folder.path());
    w.resize(1000, 640);
    ShowActive(w);
    w.Dispatch([](Session& s) {
        LoadDiagram(s, QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn"));
    });
    if (QAction* values = w.findChild<QAction*>("mnuRunValues"); !values->isChecked())
        values->trigger();
    w.findChild<QAction*>("mnuRunStep")->trigger();
    tour.Take("window", w, language);
    for (int command = 5; command <= 11; ++command) {
        const auto* b = w.findChild<QPushButton*>(QStringLiteral("Command%1").arg(command));
        tour.panelFits &= b->fontMetrics().horizontalAdvance(b->text()) + 8 <= b->width();
    }
    tour.panelWidth = w.findChild<QFrame*>("Frame1")->width();
    for (const QMenu* m : w.findChildren<QMenu*>()) {
        QMap<QChar, QString> keys;
        for (const QAction* a : m->actions()) {
            const int amp = a->text().indexOf(u'&');
            if (amp < 0 || amp + 1 >= a->text().size()) continue;
            const QChar key = a->text().at(amp + 1).toLower();
            if (keys.contains(key)) tour.clashes << keys[key] + " / " + a->text();
            keys[key] = a->text();
        }
    }

    // 要素追加's dialog, answered with Escape.
    AnswerModal([&](QWidget* dialog) {
        tour.Take("element_dialog", *dialog, language);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    w.findChild<QAction*>("mnuEditAddElement")->trigger();

    // The argument-number dialog as a connection into a function opens it.
    {
        ArgNoDialog logic(w.session());
        logic.List1 << "1"
                    << "2";
        ArgNoDialogView view(logic, &w);
        view.show();
        tour.Take("arg_no_dialog", view, language);
    }
    {
        ExportDialog logic(ExportFormat::Png, true);
        ExportDialogView view(logic, &w);
        view.show();
        tour.Take("export_dialog", view, language);
    }
    w.findChild<QAction*>("mnuOptionGrid")->trigger();
    if (auto* grid = w.findChild<QWidget*>("frmGrid")) {
        tour.Take("grid_dialog", *grid, language);
        grid->close();
    } else {
        ADD_FAILURE() << "no grid dialog";
    }
    w.findChild<QAction*>("mnuHelpGuide")->trigger();
    if (auto* guide = w.findChild<QDialog*>("HelpWindow")) {
        tour.Take("guide", *guide, language);
        tour.guide = guide->findChild<QTextBrowser*>("HelpText")->toPlainText();
        guide->close();
    } else {
        ADD_FAILURE() << "no guide";
    }

    // The About box, a question with its three buttons and a file's error message.
    const auto take = [&](const char* name) {
        return [&tour, &language, name](QWidget* box) {
            tour.Take(QString::fromLatin1(name), *box, language);
            QTest::keyClick(box, Qt::Key_Escape);
        };
    };
    AnswerModal(take("about"));
    w.findChild<QAction*>("mnuHelpAbout")->trigger();
    AnswerModal(take("question"));
    w.Dispatch([](Session& s) { s.ui.AskYesNoCancel(Tr(kUnsavedQuestion)); });
    AnswerModal(take("file_message"));
    w.Dispatch([&](Session& s) { LoadDiagram(s, folder.filePath("missing.qrn")); });
    w.setWindowModified(false);
    return tour;
}

// The program's own translations, installed by each test as it needs them.
struct LanguageWindow : ::testing::Test {
    Translations translations{QStringLiteral(QUILLRUN_BINARY_DIR "/translations")};
};

}  // namespace

TEST_F(LanguageWindow, WithTheEnglishTranslationNoWindowShowsJapanese) {
    ASSERT_TRUE(translations.Use(kEnglish));
    const Tour tour = TakeTour(kEnglish);
    ASSERT_EQ(tour.windows.size(), 9u);
    for (const auto& [name, texts] : tour.windows) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_GE(texts.size(), 1);
        for (const QString& text : texts) EXPECT_FALSE(HoldsJapanese(text)) << text.toStdString();
    }
    const QStringList& window = tour.windows[0].second;
    for (const char* text : {"&File", "&Edit", "&Run", "&Options", "&Help", "Step &Back", "Reset",
                             "Values", "ID=1 : Constant  Number 3 sent"})
        EXPECT_TRUE(window.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(tour.guide.contains("Step Back")) << "the English guide";
    EXPECT_TRUE(tour.panelFits) << "the panel is as wide as its longest caption";
    EXPECT_EQ(tour.clashes, QStringList()) << "each entry of a menu has an Alt key of its own";
    EXPECT_TRUE(tour.windows[7].second.contains("&Yes")) << "Qt's own buttons are English too";
}

TEST_F(LanguageWindow, WithoutItEveryWindowIsJapanese) {
    ASSERT_TRUE(translations.Use(kJapanese));
    const Tour tour = TakeTour(kJapanese);
    ASSERT_EQ(tour.windows.size(), 9u);
    for (const auto& [name, texts] : tour.windows) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(HoldsJapanese(texts.join(u' '))) << texts.join(u'|').toStdString();
    }
    const QStringList& window = tour.windows[0].second;
    for (const char* text : {"ファイル(&F)", "実行(&R)", "1ステップ戻る(&B)", "初期化", "値の一覧",
                             "ID=1 : 定数  Number 3 転送"})
        EXPECT_TRUE(window.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(tour.guide.contains("1ステップ戻る"));
    EXPECT_TRUE(tour.panelFits);
    EXPECT_EQ(tour.panelWidth, 105) << "the panel keeps its width of 1575 twips";
    EXPECT_EQ(tour.clashes, QStringList());
    EXPECT_TRUE(HoldsJapanese(tour.windows[7].second.filter("(&Y)").join(u' ')))
        << tour.windows[7].second.join(u'|').toStdString();
}

// Without a way to change the language at once, オプション > 言語 remembers the choice for the
// next start and says so, in the language in use.
TEST_F(LanguageWindow, TheLanguageMenuRemembersTheChoice) {
    QTemporaryDir folder;
    MainWindow w(folder.path());
    ShowActive(w);
    QAction* english = w.findChild<QAction*>("mnuOptionEnglish");
    QAction* japanese = w.findChild<QAction*>("mnuOptionJapanese");
    ASSERT_TRUE(english && japanese);
    EXPECT_TRUE(japanese->isChecked());
    QString told;
    AnswerModal([&](QWidget* box) {
        told = static_cast<QMessageBox*>(box)->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    english->trigger();
    EXPECT_TRUE(english->isChecked());
    EXPECT_EQ(told, "言語の変更は、次に Quillrun を起動したときに有効になります。");
    EXPECT_EQ(Preferences().Language(), kEnglish);
    AnswerModal([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
    japanese->trigger();
    EXPECT_EQ(Preferences().Language(), QString());
}

// With the program's translations at hand, the choice shows at once: the menus, the buttons, the
// panel, the values' headings, the grid window and the open guide change their language, and
// back again.
TEST_F(LanguageWindow, TheLanguageMenuChangesTheOpenWindowAtOnce) {
    ASSERT_TRUE(translations.Use(kJapanese));
    QTemporaryDir folder;
    MainWindow w(folder.path());
    w.SetLanguageSwitch([&](const QString& language) { return translations.Use(language); });
    ShowActive(w);
    if (QAction* values = w.findChild<QAction*>("mnuRunValues"); !values->isChecked())
        values->trigger();
    w.findChild<QAction*>("mnuOptionGrid")->trigger();
    w.findChild<QAction*>("mnuHelpGuide")->trigger();
    auto* grid = w.findChild<QWidget*>("frmGrid");
    auto* guide = w.findChild<QDialog*>("HelpWindow");
    ASSERT_TRUE(grid && guide);
    const auto heading = [&] {
        return w.findChild<QTableView*>("ValuesTable")
            ->model()
            ->headerData(1, Qt::Horizontal)
            .toString();
    };
    const auto shown = [&] {
        return QStringList{w.menuBar()->actions().at(0)->text(),
                           w.findChild<QPushButton*>("Command1")->text(),
                           w.findChild<QPushButton*>("Command6")->text(),
                           w.findChild<QDockWidget*>("ValuesPanel")->windowTitle(),
                           heading(),
                           grid->windowTitle(),
                           guide->windowTitle()};
    };
    const QStringList japanese = shown();
    EXPECT_EQ(japanese, QStringList({"ファイル(&F)", "初期化", "接続線削除", "値の一覧", "種類",
                                     "グリッドサイズ", "使い方"}));

    w.Dispatch([](Session& s) {
        LoadDiagram(s, QStringLiteral(QUILLRUN_SOURCE_DIR "/data/testData5.qrn"));
    });
    w.findChild<QAction*>("mnuOptionEnglish")->trigger();  // no message: it shows at once
    Settle(w);
    w.findChild<QAction*>("mnuRunStep")->trigger();
    EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), "ID=1 : Constant  Number 3 sent");
    EXPECT_EQ(shown(), QStringList({"&File", "Reset", "Delete Connection", "Values", "Kind",
                                    "Grid size", "How to use Quillrun"}));
    EXPECT_TRUE(guide->findChild<QTextBrowser*>("HelpText")->toPlainText().contains("Step Back"));
    const auto* button = w.findChild<QPushButton*>("Command6");
    EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, button->width());
    EXPECT_EQ(Preferences().Language(), kEnglish);
    Screenshot(*guide, "switched_guide_en");

    w.findChild<QAction*>("mnuOptionJapanese")->trigger();
    Settle(w);
    w.findChild<QAction*>("mnuRunStep")->trigger();
    EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), "ID=2 : 定数  Number 4 転送");
    EXPECT_EQ(shown(), japanese);
    EXPECT_EQ(w.findChild<QFrame*>("Frame1")->width(), 105);
    EXPECT_EQ(Preferences().Language(), QString());
    grid->close();
    guide->close();
}
