#include "engine/snapshot_prompt.h"

#include "engine/run_control.h"
#include "model/form_controls.h"
#include "model/prompter.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "model/translation.h"
#include "render/canvas.h"
#include "render/renderer.h"

namespace {

void SaveSnapshot(Session& s) {
    // The same proposed name every time: the one remembered in the settings file.
    const std::optional<QString> path = s.ui.SaveFileName(SnapshotFilter(), s.st.ImageFileName);
    if (!path) {
        s.ui.Message(QCoreApplication::translate("Quillrun", "画像の保存は取り消されました。"));
        return;
    }
    if (path->isEmpty()) return;
    if (!s.ui.SaveBitmap(CanvasPicture(s), *path)) {
        s.ui.Message(
            QCoreApplication::translate("Quillrun", "画像を保存できませんでした。 File Name = [%1]")
                .arg(*path));
    }
}

}  // namespace

QString SnapshotQuestion() {
    return QCoreApplication::translate("Quillrun",
                                       "画像を保存しますか？。\r\n\r\n"
                                       "保存しないで続行するときは「いいえ」ボタンを\r\n"
                                       "停止するときは「キャンセル」ボタンをクリックします。");
}

QString SnapshotFilter() {
    return QCoreApplication::translate("Quillrun", "bmp(*.bmp)|*.bmp|全てのﾌｧｲﾙ(*.*)|*.*");
}

bool ShowTraceAndOfferSnapshot(Session& s, const QString& text) {
    ShowRunStatus(s, text);
    if (s.frm.Timer1.Enabled || s.st.AutomaticStep) return false;  // an automatic run asks nothing
    // Return goes on with the run, the answer a person gives most.
    switch (s.ui.AskYesNoCancel(SnapshotQuestion(), Answer::No)) {
        case Answer::Cancel:
            SetRun(s.st, s.st.StopFlag, Integer{-1});
            break;
        case Answer::No:
            break;
        case Answer::Yes:
            SaveSnapshot(s);
            break;
    }
    return true;
}
