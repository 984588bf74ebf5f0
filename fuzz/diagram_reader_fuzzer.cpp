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
        ElementRec& e = st->Elements[i];
        e.X = e.Y = 100.0 * i;
        e.R = 300;
        e.Text = QStringLiteral("e");
        e.Kind = static_cast<Integer>(i % 9);
        e.ArgCount = 2;
        e.Font.Size = 10;
        e.ArgQueue[1] = i;  // must survive every load
    }
    for (int j = 1; j <= kMaxConnections; ++j) {
        ConnectionRec& c = st->Connections[j];
        c.FromElem = static_cast<Integer>(j % 3 == 0 ? 99 : 1);
        c.ToElem = static_cast<Integer>(j % 2 == 0 ? 50 : 2);
        c.ArgNo = QStringLiteral("1");
        c.Active = -1;
        c.PointCount = static_cast<Integer>(j % (kMaxPoints + 1));
        c.Font.Size = 8;
    }
    st->ElemCount = 2;
    st->ConnCount = 1;
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
    st.Elements = before.Elements;
    st.ElemCount = before.ElemCount;
    st.Connections = before.Connections;
    st.ConnCount = before.ConnCount;
    return st;
}

bool HasQuote(const QString& s) {
    return s.contains(u'"');
}

// Texts holding a double quote are written unescaped and cannot read back.
bool AnyQuotedText(const SharedState& st) {
    for (int i = 1; i <= st.ElemCount; ++i) {
        const ElementRec& e = st.Elements[i];
        if (HasQuote(e.Text) || HasQuote(e.DataType) || HasQuote(e.Value) || HasQuote(e.Spare) ||
            HasQuote(e.Font.Name))
            return true;
    }
    for (int j = 1; j <= st.ConnCount; ++j)
        if (HasQuote(st.Connections[j].ArgNo) || HasQuote(st.Connections[j].Font.Name)) return true;
    return false;
}

void CheckLoaded(const SharedState& before, const SharedState& st) {
    if (st.ElemCount < 0 || st.ElemCount > kMaxElements)
        Fail("ElemCount within 0..100", st.ElemCount);
    if (st.ConnCount < 0 || st.ConnCount > kMaxConnections)
        Fail("ConnCount within 0..100", st.ConnCount);
    for (int i = 1; i <= kMaxElements; ++i) {
        if (st.Elements[i].ArgQueue != before.Elements[i].ArgQueue) Fail("ArgQueue untouched", i);
        if (i > st.ElemCount && !(st.Elements[i] == before.Elements[i]))
            Fail("records above ElemCount untouched", i);
    }
    for (int j = 1; j <= kMaxConnections; ++j) {
        const ConnectionRec& c = st.Connections[j];
        if (j > st.ConnCount) {
            if (!(c == before.Connections[j])) Fail("records above ConnCount untouched", j);
            continue;
        }
        if (c.PointCount < 0 || c.PointCount > kMaxPoints) Fail("PointCount within 0..30", j);
        if (c.Active != 0) Fail("Active 0 after a load", j);
        if (c.ToElem == 0) continue;  // removed by the redraw that follows the load
        if (c.FromElem < 1 || c.FromElem > st.ElemCount) Fail("FromElem names a live element", j);
        if (c.ToElem < 1 || c.ToElem > st.ElemCount) Fail("ToElem names a live element", j);
    }
}

// The purge of the full redraw: afterwards every live connection joins live elements.
void CheckAfterPurge(SharedState& st) {
    int i = 1;
    while (i <= st.ConnCount) {
        if (st.Connections[i].ToElem != 0) {
            ++i;
            continue;
        }
        --st.ConnCount;
        for (int j = i; j <= st.ConnCount; ++j) st.Connections[j] = st.Connections[j + 1];
    }
    for (int j = 1; j <= st.ConnCount; ++j) {
        const ConnectionRec& c = st.Connections[j];
        if (c.FromElem < 1 || c.FromElem > st.ElemCount || c.ToElem < 1 || c.ToElem > st.ElemCount)
            Fail("a purged diagram joins live elements only", j);
    }
}

void CheckUnchanged(const SharedState& before, const SharedState& st) {
    if (st.ElemCount != before.ElemCount || st.ConnCount != before.ConnCount)
        Fail("a refused file changes no count", 0);
    for (int i = 0; i <= kMaxElements; ++i)
        if (!(st.Elements[i] == before.Elements[i])) Fail("a refused file changes no element", i);
    for (int j = 0; j <= kMaxConnections; ++j)
        if (!(st.Connections[j] == before.Connections[j]))
            Fail("a refused file changes no connection", j);
}

// What the program writes, it reads back to the same tables and writes again byte for byte.
void CheckWrittenFileReadsBack(const SharedState& st) {
    if (AnyQuotedText(st)) return;
    const QByteArray written = WriteDiagram(st);
    SharedState& again = Fresh(1);
    if (ReadDiagram(written, again) != DiagramRead::Loaded) Fail("a written file loads", 0);
    if (again.ElemCount != st.ElemCount || again.ConnCount != st.ConnCount)
        Fail("a written file gives the counts back", 0);
    if (WriteDiagram(again) != written)
        Fail("a written file reads back and writes the same bytes", 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const SharedState& before = Before();
    SharedState& st = Fresh(0);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (ReadDiagram(bytes, st) == DiagramRead::Refused) {
        CheckUnchanged(before, st);
        return 0;
    }
    CheckLoaded(before, st);
    CheckWrittenFileReadsBack(st);
    CheckAfterPurge(st);
    return 0;
}
