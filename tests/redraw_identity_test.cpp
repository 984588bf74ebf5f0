// The full redraw draws again only where the picture changes, and hands a picture drawn afresh to
// the visible canvas without copying it. These tests hold every redraw to the same picture and
// drawing state as clearing a fresh canvas and drawing the grid and the whole diagram on it, and
// every publish between redraws to that picture with the same drawing done over it, through
// random diagrams, edits, steps, selections, resizes, grid changes and everything else that
// draws on the back canvas between redraws. The model is a second program whose canvas is only
// ever cleared and drawn on in full.

#include "app/startup.h"
#include "model/diagram_edit.h"
#include "render/feedback.h"
#include "render/renderer.h"
#include "test_program.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include <memory>
#include <random>

namespace {

const QString kTexts[] = {QString(),
                          QStringLiteral("x"),
                          QStringLiteral("12.5"),
                          QStringLiteral("合計"),
                          QStringLiteral("文字列"),
                          QStringLiteral("mod"),
                          QStringLiteral("+"),
                          QStringLiteral("a rather long label")};

class RandomSession {
public:
    // A diagram of up to items elements and as many connections, on a screen of the given
    // device pixel ratio.
    RandomSession(unsigned seed, int items, double ratio = 1) : random_(seed) {
        if (ratio != 1) {
            for (TestProgram* t : {p_.get(), q_.get()}) {
                t->frm.DevicePixelRatio = ratio;
                StartupInitialisation(t->s);
            }
        }
        for (int i = 0, n = Int(0, items); i < n; ++i) AddElement();
        for (int i = 0, n = Int(0, items); i < n; ++i) AddConnection();
    }

    // Runs steps random operations, comparing every redraw with one done afresh.
    void Run(int steps) {
        for (step_ = 0; step_ < steps && !::testing::Test::HasFatalFailure(); ++step_) {
            const int what = Int(0, 99);
            if (what < 45)
                Edit();
            else if (what < 75)
                DrawBetweenRedraws();
            else
                ChangeCanvas();
            if (Int(0, 9) < 6) Redraw();
        }
    }

private:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    double Real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random_);
    }
    bool OneIn(int n) { return Int(1, n) == 1; }

    SharedState& St() { return p_->st; }
    DiagramTables& D() { return p_->st.Diagram; }
    Surface& Back() { return p_->canvas.Picture2; }
    double UnitsWide() { return Back().ScaleWidth(); }
    double UnitsHigh() { return Back().ScaleHeight(); }
    double X() { return Real(-600, UnitsWide() + 600); }
    double Y() { return Real(-600, UnitsHigh() + 600); }
    const QString& Text() { return kTexts[Int(0, std::size(kTexts) - 1)]; }

    FontAttr Font() {
        FontAttr f;
        f.Bold = OneIn(3);
        f.Underline = OneIn(4);
        // Now and then a text too large to keep, which the painter draws.
        f.Size = static_cast<Integer>(OneIn(400) ? 1500 : Int(0, 24));
        return f;
    }

    void AddElement() {
        if (D().ElemCount >= kMaxElements) return;
        ElementRec& e = D().Elements[++D().ElemCount];
        e = ElementRec();
        e.Kind = static_cast<Integer>(Int(0, 8));
        e.X = X();
        e.Y = Y();
        e.R = OneIn(10) ? Real(0, 30) : Real(100, 800);
        e.Text = Text();
        e.TextX = e.X + Real(-300, 100);
        e.TextY = e.Y + Real(-150, 50);
        e.Font = Font();
    }

    void AddConnection() {
        if (D().ConnCount >= kMaxConnections || D().ElemCount < 1) return;
        ConnectionRec& c = D().Connections[++D().ConnCount];
        c = ConnectionRec();
        c.FromElem = static_cast<Integer>(Int(1, D().ElemCount));
        c.ToElem = static_cast<Integer>(Int(1, D().ElemCount));
        c.X1 = X();
        c.Y1 = Y();
        c.X2 = X();
        c.Y2 = Y();
        c.PointCount = static_cast<Integer>(OneIn(4) ? 0 : Int(1, kMaxPoints));
        for (int k = 1; k <= c.PointCount; ++k) c.Points[k] = {X(), Y()};
        c.ArgNo = Text();
        c.ArgTextX = X();
        c.ArgTextY = Y();
        c.Font = Font();
        c.Active = static_cast<Integer>(OneIn(4) ? -1 : 0);
    }

    void Select() {
        static const QString kinds[] = {QString(),   kSelElement, kSelElementText,
                                        kSelArgText, kSelPoint,   kSelLine};
        St().SelKind = kinds[Int(0, std::size(kinds) - 1)];
        St().SelIndex =
            static_cast<Integer>(Int(0, std::max<int>(D().ConnCount, D().ElemCount) + 1));
        St().SelPoint = static_cast<Integer>(Int(0, kMaxPoints + 1));
    }

    // What a step changes: the connections that carried a value and the highlighted element.
    void Step() {
        for (int j = 1; j <= D().ConnCount; ++j) D().Connections[j].Active = 0;
        for (int n = Int(0, 3); n > 0 && D().ConnCount > 0; --n)
            D().Connections[Int(1, D().ConnCount)].Active = -1;
        highlight_ = D().ElemCount > 0 ? Int(1, D().ElemCount) : -1;
    }

    void Edit() {
        for (int n = Int(1, 3); n > 0; --n) {
            const int i = D().ElemCount > 0 ? Int(1, D().ElemCount) : 0;
            const int j = D().ConnCount > 0 ? Int(1, D().ConnCount) : 0;
            switch (Int(0, 13)) {
                case 0:
                    if (i) {
                        ElementRec& e = D().Elements[i];
                        const double dx = Real(-400, 400), dy = Real(-400, 400);
                        e.X += dx, e.Y += dy, e.TextX += dx, e.TextY += dy;
                    }
                    break;
                case 1:
                    if (i) D().Elements[i].R = Real(0, 900);
                    break;
                case 2:
                    if (i) D().Elements[i].Text = Text(), D().Elements[i].Font = Font();
                    break;
                case 3:
                    AddElement();
                    break;
                case 4:
                    if (i) RemoveElement(St(), i);
                    break;
                case 5:
                    AddConnection();
                    break;
                case 6:
                    if (j) RemoveConnection(St(), j);
                    break;
                case 7:
                    if (j && D().Connections[j].PointCount > 0) {
                        ConnectionRec& c = D().Connections[j];
                        c.Points[Int(1, c.PointCount)] = {X(), Y()};
                    }
                    break;
                case 8:
                    if (j) D().Connections[j].PointCount = static_cast<Integer>(Int(0, kMaxPoints));
                    break;
                case 9:
                    if (j) D().Connections[j].X2 = X(), D().Connections[j].Y2 = Y();
                    break;
                case 10:
                    if (j) {
                        ConnectionRec& c = D().Connections[j];
                        c.ArgNo = Text();
                        c.Font = Font();
                        c.ArgTextX = X();
                    }
                    break;
                case 11:
                    Select();
                    break;
                case 12:
                    Step();
                    break;
                case 13:
                    // An unfinished connection, which the next redraw drops with a message.
                    if (j && OneIn(3)) D().Connections[j].ToElem = 0;
                    break;
            }
        }
    }

    // The model's session, with the tables as they are now.
    Session& Model() {
        q_->st = p_->st;
        return q_->s;
    }
    Surface& ModelBack() { return q_->canvas.Picture2; }

    // After a publish the visible canvas shows what the back canvas holds.
    void ExpectShownAsModel(const char* what) {
        ASSERT_EQ(p_->canvas.Picture1(), ModelBack().Image()) << what << ", step " << step_;
    }

    void DrawBetweenRedraws() {
        Surface& back = Back();
        Surface& model = ModelBack();
        switch (Int(0, 11)) {
            case 0: {
                const double x1 = X(), y1 = Y(), x2 = X(), y2 = Y();
                DrawXorLine(back, x1, y1, x2, y2);
                DrawXorLine(model, x1, y1, x2, y2);
                break;
            }
            case 1: {
                const double x = X(), y = Y(), w = Real(-2000, 2000), h = Real(-2000, 2000);
                DrawXorBox(back, x, y, w, h);
                DrawXorBox(model, x, y, w, h);
                break;
            }
            case 2: {
                const double x = X(), y = Y(), r = Real(0, 1500);
                DrawXorCircle(back, x, y, r);
                DrawXorCircle(model, x, y, r);
                break;
            }
            case 3: {
                const int width = Int(1, 6);
                back.SetDrawWidth(width);
                model.SetDrawWidth(width);
                break;
            }
            case 4:
                if (D().ElemCount > 0) {
                    const int i = Int(1, D().ElemCount);
                    DrawElementPlain(p_->s, i);
                    DrawElementPlain(Model(), i);
                }
                break;
            case 5: {
                const double x = X(), y = Y();
                const FontAttr font = Font();
                const QString& text = Text();
                PrintText(back, x, y, font, text);
                PrintText(model, x, y, font, text);
                break;
            }
            case 6:
                RedrawWhileConnecting(p_->s);
                RedrawWhileConnecting(Model());
                ExpectShownAsModel("redraw while connecting");
                break;
            case 7:
                gridDisplay(p_->s);
                gridDisplay(Model());
                if (St().GridSize != 0) ExpectShownAsModel("grid display");
                break;
            case 8:
                back.Clear();
                model.Clear();
                break;
            case 9: {
                const double x1 = X(), y1 = Y(), x2 = X(), y2 = Y();
                DrawArrowSegment(back, x1, y1, x2, y2, kBlack);
                DrawArrowSegment(model, x1, y1, x2, y2, kBlack);
                break;
            }
            case 10: {
                const QRgb text = OneIn(2) ? kBlue : kBlack, fill = OneIn(2) ? kYellow : kRed;
                const FillStyle style = OneIn(2) ? FillStyle::Solid : FillStyle::Transparent;
                for (Surface* s : {&back, &model}) {
                    s->SetTextColour(text);
                    s->SetFillColour(fill);
                    s->SetFillStyle(style);
                }
                break;
            }
            case 11:
                p_->canvas.Publish();
                ExpectShownAsModel("publish");
                break;
        }
    }

    void ChangeCanvas() {
        switch (Int(0, 5)) {
            case 0: {
                const int w = Int(1, 420), h = Int(1, 300);
                p_->canvas.Resize(w, h);
                q_->canvas.Resize(w, h);
                break;
            }
            case 1: {
                static const int grids[] = {0, -100, 100, 150, 333, 1000, 40};
                St().GridSize = static_cast<Integer>(grids[Int(0, std::size(grids) - 1)]);
                break;
            }
            case 2: {
                const double units = OneIn(2) ? 15 : Real(5, 30);
                const double left = Real(-300, 300), top = Real(-300, 300);
                Back().SetPixelScale(left, top, units, units);
                ModelBack().SetPixelScale(left, top, units, units);
                break;
            }
            case 3:
                p_->canvas.DrawingSuspended = OneIn(3);
                break;
            case 4:
                Step();
                break;
            case 5:
                Select();
                break;
        }
    }

    void Redraw() {
        SCOPED_TRACE(::testing::Message() << "step " << step_);
        Canvas& canvas = p_->canvas;
        if (OneIn(60)) Back().SetDrawMode(kDrawModeXor);  // never so in the program, but allowed
        if (OneIn(2)) highlight_ = Int(-1, D().ElemCount + 1);
        const DrawingState start = Back().State();
        const bool suspended = canvas.DrawingSuspended;
        // Looking at the back canvas brings it up to date; now and then it is left as it is.
        const bool lookAtBack = suspended || OneIn(2);
        const QImage backBefore = suspended ? Back().Image().copy() : QImage();
        const QImage shownBefore = canvas.Picture1().copy();

        // While a dropped connection is told about, both canvases show already what they show
        // once the redraw is over: the diagram without it.
        std::vector<std::pair<QImage, QImage>> duringMessages;
        p_->ui.onMessage = [&](const QString&) {
            if (!suspended) duringMessages.emplace_back(Back().Image().copy(), canvas.Picture1());
        };
        RedrawDiagram(p_->s, highlight_);
        p_->ui.onMessage = nullptr;
        p_->ui.TakeMessages();
        for (const auto& [back, shown] : duringMessages) {
            EXPECT_EQ(back, Back().Image()) << "back canvas during a message";
            EXPECT_EQ(shown, canvas.Picture1()) << "visible canvas during a message";
        }

        if (suspended) {
            EXPECT_EQ(Back().Image(), backBefore);
            EXPECT_EQ(canvas.Picture1(), shownBefore);
            EXPECT_EQ(Back().State(), start);
            if (Back().DrawMode() == kDrawModeXor) {
                Back().SetDrawMode(kDrawModeCopyPen);
                ModelBack().SetDrawMode(kDrawModeCopyPen);
            }
            return;
        }
        // The model's canvas drawn afresh.
        Surface& model = ModelBack();
        model.SetState(start);
        model.Clear();
        DrawGridLines(model, St().GridSize, p_->frm.TwipsPerPixel);
        DrawDiagram(model, St(), highlight_);
        ASSERT_EQ(canvas.Picture1(), model.Image()) << "visible canvas";
        if (lookAtBack) {
            ASSERT_EQ(Back().Image(), model.Image()) << "back canvas";
        }
        ASSERT_EQ(Back().State(), model.State()) << "drawing state";
        if (Back().DrawMode() == kDrawModeXor) {
            Back().SetDrawMode(kDrawModeCopyPen);
            model.SetDrawMode(kDrawModeCopyPen);
        }
    }

    std::unique_ptr<TestProgram> p_ = std::make_unique<TestProgram>();
    std::unique_ptr<TestProgram> q_ = std::make_unique<TestProgram>();  // the model
    std::mt19937 random_;
    int highlight_ = -1;
    int step_ = 0;
};

}  // namespace

TEST(RedrawIdentity, EveryRedrawIsTheCanvasDrawnAfresh) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        RandomSession(seed, 12).Run(150);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(RedrawIdentity, OnAScaledScreenToo) {
    for (const double ratio : {2.0, 1.5}) {
        SCOPED_TRACE(::testing::Message() << "device pixel ratio " << ratio);
        RandomSession(7, 12, ratio).Run(120);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(RedrawIdentity, CrowdedDiagramsRedrawAsAfresh) {
    // Many figures over each other: what is drawn again must be drawn in the same order.
    RandomSession(5, 100).Run(60);
}
