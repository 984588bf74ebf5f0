#include "model/trace_words.h"

#include "model/translation.h"

TraceWords TraceWords::InUse() {
    return {QCoreApplication::translate("Quillrun", "定数 "),
            QCoreApplication::translate("Quillrun", "変数"),
            QCoreApplication::translate("Quillrun", " 転送"),
            QCoreApplication::translate("Quillrun", " 演算 : "),
            QCoreApplication::translate("Quillrun", "転送処理なし")};
}
