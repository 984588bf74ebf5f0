// Feeds arbitrary bytes to the diagram reader that LoadDiagram uses and, after every input,
// checks what the rest of the program relies on. Any broken rule aborts with a message.
//
// The bytes are read into a diagram that has been edited for a while: two elements and one
// connection live, and stale records above the counts (some naming elements far beyond), so
// that files ending early leave stale fields behind as they do in the program.

#include "model/diagram_file.h"
#include "model/shared_state.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void Fail(const char* rule, int index) {
    std::fprintf(stderr, "diagram reader invariant broken: %s (index %d)\n", rule, index);
    std::abort();
}

std::unique_ptr<SharedState> MakeBefore() {
    auto st = std::make_unique<SharedState>();
    for (int i = 1; i <= kMaxElements; ++i) {
        ElementRec& e = st->Diagram.Elements[i];
        e.X = e.Y = 100.0 * i;
        e.R = 300;
        e.Text = QStringLiteral("e");
        e.Kind = static_cast<Integer>(i % 9);
        e.ArgCount = 2;
        e.Font.Size = 10;
        e.ArgQueue[1] = i;  // must survive every load
    }
    for (int j = 1; j <= kMaxConnections; ++j) {
        ConnectionRec& c = st->Diagram.Connections[j];
        c.FromElem = static_cast<Integer>(j % 3 == 0 ? 99 : 1);
        c.ToElem = static_cast<Integer>(j % 2 == 0 ? 50 : 2);
        c.ArgNo = QStringLiteral("1");
        c.Active = -1;
        c.PointCount = static_cast<Integer>(j % (kMaxPoints + 1));
        c.Font.Size = 8;
    }
    st->Diagram.ElemCount = 2;
    st->Diagram.ConnCount = 1;
    return st;
}

const SharedState& Before() {
    static const std::unique_ptr<SharedState> before = MakeBefore();
    return *before;
}

// Puts the tables of the state before every input back into st (the rest of the state is never
// touched by the reader). Reusing two states keeps every input from allocating fresh pages.
SharedState& Fresh(int which) {
    static std::unique_ptr<SharedState> states[2] = {std::make_unique<SharedState>(),
                                                     std::make_unique<SharedState>()};
    SharedState& st = *states[which];
    const SharedState& before = Before();
    st.Diagram = before.Diagram;
    return st;
}

bool HasQuote(const QString& s) {
    return s.contains(u'"');
}

// Texts holding a double quote are written unescaped and cannot read back.
bool AnyQuotedText(const SharedState& st) {
    for (int i = 1; i <= st.Diagram.ElemCount; ++i) {
        const ElementRec& e = st.Diagram.Elements[i];
        if (HasQuote(e.Text) || HasQuote(e.DataType) || HasQuote(e.Value) || HasQuote(e.Spare) ||
            HasQuote(e.Font.Name))
            return true;
    }
    for (int j = 1; j <= st.Diagram.ConnCount; ++j)
        if (HasQuote(st.Diagram.Connections[j].ArgNo) ||
            HasQuote(st.Diagram.Connections[j].Font.Name))
            return true;
    return false;
}

void CheckLoaded(const SharedState& before, const SharedState& st) {
    if (st.Diagram.ElemCount < 0 || st.Diagram.ElemCount > kMaxElements)
        Fail("ElemCount within 0..100", st.Diagram.ElemCount);
    if (st.Diagram.ConnCount < 0 || st.Diagram.ConnCount > kMaxConnections)
        Fail("ConnCount within 0..100", st.Diagram.ConnCount);
    for (int i = 1; i <= kMaxElements; ++i) {
        if (st.Diagram.Elements[i].ArgQueue != before.Diagram.Elements[i].ArgQueue)
            Fail("ArgQueue untouched", i);
        if (i > st.Diagram.ElemCount && !(st.Diagram.Elements[i] == before.Diagram.Elements[i]))
            Fail("records above ElemCount untouched", i);
    }
    for (int j = 1; j <= kMaxConnections; ++j) {
        const ConnectionRec& c = st.Diagram.Connections[j];
        if (j > st.Diagram.ConnCount) {
            if (!(c == before.Diagram.Connections[j])) Fail("records above ConnCount untouched", j);
            continue;
        }
        if (c.PointCount < 0 || c.PointCount > kMaxPoints) Fail("PointCount within 0..30", j);
        if (c.Active != 0) Fail("Active 0 after a load", j);
        if (c.ToElem == 0) continue;  // removed by the redraw that follows the load
        if (c.FromElem < 1 || c.FromElem > st.Diagram.ElemCount)
            Fail("FromElem names a live element", j);
        if (c.ToElem < 1 || c.ToElem > st.Diagram.ElemCount) Fail("ToElem names a live element", j);
    }
}

// The purge of the full redraw: afterwards every live connection joins live elements.
void CheckAfterPurge(SharedState& st) {
    int i = 1;
    while (i <= st.Diagram.ConnCount) {
        if (st.Diagram.Connections[i].ToElem != 0) {
            ++i;
            continue;
        }
        --st.Diagram.ConnCount;
        for (int j = i; j <= st.Diagram.ConnCount; ++j)
            st.Diagram.Connections[j] = st.Diagram.Connections[j + 1];
    }
    for (int j = 1; j <= st.Diagram.ConnCount; ++j) {
        const ConnectionRec& c = st.Diagram.Connections[j];
        if (c.FromElem < 1 || c.FromElem > st.Diagram.ElemCount || c.ToElem < 1 ||
            c.ToElem > st.Diagram.ElemCount)
            Fail("a purged diagram joins live elements only", j);
    }
}

void CheckUnchanged(const SharedState& before, const SharedState& st) {
    if (st.Diagram.ElemCount != before.Diagram.ElemCount ||
        st.Diagram.ConnCount != before.Diagram.ConnCount)
        Fail("a refused file changes no count", 0);
    for (int i = 0; i <= kMaxElements; ++i)
        if (!(st.Diagram.Elements[i] == before.Diagram.Elements[i]))
            Fail("a refused file changes no element", i);
    for (int j = 0; j <= kMaxConnections; ++j)
        if (!(st.Diagram.Connections[j] == before.Diagram.Connections[j]))
            Fail("a refused file changes no connection", j);
}

// What the program writes, it reads back to the same tables and writes again byte for byte.
void CheckWrittenFileReadsBack(const SharedState& st) {
    if (AnyQuotedText(st)) return;
    const QByteArray written = WriteDiagram(st.Diagram);
    SharedState& again = Fresh(1);
    if (ReadDiagram(written, again.Diagram) != DiagramRead::Loaded) Fail("a written file loads", 0);
    if (again.Diagram.ElemCount != st.Diagram.ElemCount ||
        again.Diagram.ConnCount != st.Diagram.ConnCount)
        Fail("a written file gives the counts back", 0);
    if (WriteDiagram(again.Diagram) != written)
        Fail("a written file reads back and writes the same bytes", 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const SharedState& before = Before();
    SharedState& st = Fresh(0);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (ReadDiagram(bytes, st.Diagram) == DiagramRead::Refused) {
        CheckUnchanged(before, st);
        return 0;
    }
    CheckLoaded(before, st);
    CheckAfterPurge(st);
    CheckWrittenFileReadsBack(st);
    return 0;
}
