#include "engine/operators.h"

#include "engine/transfer.h"
#include "model/numeric_text.h"
#include "model/session.h"
#include "model/shared_state.h"
#include "model/translation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const QString kArrow = QStringLiteral(" ⇒ ");

FiringResult Number(double v) {
    return {kTypeNumber, FormatNumber(v), QString()};
}
FiringResult Failure(const QString& why) {
    return {QString(), QString(), why};
}

// A numeric result is only pushed when it is a finite number.
FiringResult Checked(double v) {
    if (std::isnan(v))
        return Failure(QCoreApplication::translate("Quillrun", "計算結果が数値になりません。"));
    if (std::isinf(v))
        return Failure(
            QCoreApplication::translate("Quillrun", "計算結果がオーバーフローしました。"));
    return Number(v);
}

FiringResult Modulo(const QString& left, const QString& right) {
    const double r1 = RoundHalfEven(ReadNumber(left));
    const double r2 = RoundHalfEven(ReadNumber(right));
    if (!FitsInt32(r1) || !FitsInt32(r2))
        return Failure(QCoreApplication::translate(
            "Quillrun", "mod の引数が 32 ビット整数の範囲を超えています。"));
    const auto a = static_cast<std::int32_t>(r1);
    const auto b = static_cast<std::int32_t>(r2);
    if (b == 0)
        return Failure(
            QCoreApplication::translate("Quillrun", "mod で 0 による除算が発生しました。"));
    // The remainder takes the sign of the left operand; -1 is taken apart because the
    // smallest integer divided by it does not fit.
    const std::int32_t r = b == -1 ? 0 : a % b;
    return Number(r);
}

QString ElementId(int elem) {
    return QStringLiteral("ID=") + QString::number(elem);
}

}  // namespace

QString OperatorText(int kind) {
    switch (kind) {
        case kPlus:
            return QStringLiteral("+");
        case kMinus:
            return QStringLiteral("-");
        case kTimes:
            return QStringLiteral("*");
        case kDivide:
            return QStringLiteral("/");
        default:
            return QString();
    }
}

QString TooLongMessage() {
    return QCoreApplication::translate("Quillrun", "計算結果の文字列が長すぎます（%1 文字まで）。")
        .arg(kMaxResultLength);
}

FiringResult ComputeOperator(int kind, const QString& typeL, const QString& textL,
                             const QString& typeR, const QString& textR) {
    if (kind == kPlus && (typeL == kTypeString || typeR == kTypeString)) {
        // Measured before joining, so that a text too long is never made.
        if (textL.size() > kMaxResultLength - textR.size()) return Failure(TooLongMessage());
        return {kTypeString, textL + textR, QString()};
    }
    const double xL = ReadNumber(textL);
    const double xR = ReadNumber(textR);
    switch (kind) {
        case kPlus:
            return Checked(xL + xR);
        case kMinus:
            return Checked(xL - xR);
        case kTimes:
            return Checked(xL * xR);
        case kDivide:
            if (xR == 0) {
                return Failure(
                    xL == 0 ? QCoreApplication::translate("Quillrun", "0 を 0 で割ろうとしました。")
                            : QCoreApplication::translate("Quillrun", "0 で割ろうとしました。"));
            }
            return Checked(xL / xR);
        default:
            return Failure(QCoreApplication::translate("Quillrun", "不明な演算子です。"));
    }
}

FiringResult ComputeFunction(const QString& name, const QStringList& args, int& shown) {
    if (name == QLatin1String("mod")) {
        shown = 2;
        if (args.size() < 2)
            return Failure(
                QCoreApplication::translate("Quillrun", "mod には引数が 2 つ必要です。"));
        return Modulo(args[0], args[1]);
    }
    if (name == QLatin1String("sin") || name == QLatin1String("cos")) {
        shown = 1;
        const double x = ReadNumber(args.value(0));
        return Checked(name == QLatin1String("sin") ? std::sin(x) : std::cos(x));
    }
    // A name the program does not know still consumes its inputs and yields empty texts.
    shown = static_cast<int>(args.size());
    return {QString(), QString(), QString()};
}

namespace {

// A firing that pushed its result: shown with the element highlighted and its line.
StepResult Fired(int e, const QString& line) {
    StepResult r;
    r.redraw = true;
    r.highlight = e;
    r.trace = true;
    r.text = line;
    r.acted = true;
    return r;
}

StepResult Failed(const QString& error) {
    StepResult r;
    r.error = error;
    r.acted = true;
    return r;
}

}  // namespace

StepResult StepOperator(Session& s, int kind) {
    SharedState& st = s.st;
    const int e = st.StepElem;
    if (!QueueHoldsValue(st, e, 1) || !QueueHoldsValue(st, e, 2)) {
        StepResult r;
        r.redraw = true;
        r.trace = true;
        r.text = s.words.nothingToSend;
        return r;
    }
    QString tL, sL, tR, sR;
    TakeValue(st, e, 1, tL, sL);
    TakeValue(st, e, 2, tR, sR);
    const QString op = OperatorText(kind);
    const FiringResult r = ComputeOperator(kind, tL, sL, tR, sR);
    if (!r.error.isEmpty()) return Failed(r.error);
    PushValue(s, r.type, r.value);
    return Fired(e, ElementId(e) + s.words.computes + tL + QLatin1Char(' ') + sL +
                        QLatin1Char(' ') + op + QLatin1Char(' ') + tR + QLatin1Char(' ') + sR +
                        kArrow + r.type + QLatin1Char(' ') + r.value);
}

StepResult StepFunction(Session& s, const QString& name) {
    SharedState& st = s.st;
    const int e = st.StepElem;
    // Inputs below 1 count as one; there are no queues beyond 30.
    const int n = std::clamp<int>(st.Diagram.Elements[e].ArgCount, 1, kMaxArgs);
    for (int i = 1; i <= n; ++i)
        if (!QueueHoldsValue(st, e, i)) return {};  // waits silently
    QStringList args;
    for (int i = 1; i <= n; ++i) {
        QString type, value;
        TakeValue(st, e, i, type, value);
        args << value;  // only the value texts matter to a function
    }
    int shown = 0;
    const FiringResult r = ComputeFunction(name, args, shown);
    if (!r.error.isEmpty()) return Failed(r.error);
    PushValue(s, r.type, r.value);
    return Fired(e, ElementId(e) + QStringLiteral(" : ") + name + QLatin1Char('(') +
                        QStringList(args.mid(0, shown)).join(QStringLiteral(", ")) +
                        QLatin1Char(')') + kArrow + r.type + QLatin1Char(' ') + r.value);
}
