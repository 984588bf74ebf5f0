#pragma once
// The logic of the small dialog that ファイル > エクスポート shows once the file is chosen: the
// scale of a PNG picture (1×, 2×, 4×), "グリッドを含める", 確認 and 取消. The window lives in
// app/views/export_dialog_view; nothing here knows about widgets.

#include "app/export_options.h"
#include "model/translation.h"

#include <QString>
#include <array>

inline constexpr SourceText kExportDialogCaption{QT_TRANSLATE_NOOP("Quillrun", "エクスポート")};
inline constexpr SourceText kIncludeGridCaption{QT_TRANSLATE_NOOP("Quillrun", "グリッドを含める")};

class ExportDialog {
public:
    static constexpr std::array<int, 3> kScales{1, 2, 4};

    // For a file of format; the grid can be included only while the canvas has one.
    ExportDialog(ExportFormat format, bool gridShown);

    // Only a PNG picture has a scale; the choice is shown but cannot be changed for the others.
    bool ScaleApplies() const { return format_ == ExportFormat::Png; }
    bool GridApplies() const { return gridShown_; }

    int ScaleIndex() const { return scaleIndex_; }
    // An index that names no scale, or a change that does not apply, is ignored.
    void SetScaleIndex(int index);
    bool IncludeGrid = false;

    void Confirm();  // 確認
    void Cancel();   // 取消, Escape and the title bar's close
    bool Closed() const { return closed_; }
    bool Accepted() const { return accepted_; }

    ExportOptions Options() const;

private:
    ExportFormat format_;
    bool gridShown_;
    int scaleIndex_ = 0;
    bool closed_ = false;
    bool accepted_ = false;
};
