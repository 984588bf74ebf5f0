#include "model/cell_pool.h"
#include "fake_prompter.h"
#include "model/shared_state.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct Pool : ::testing::Test {
    std::unique_ptr<SharedState> st = std::make_unique<SharedState>();
    FakePrompter ui;
    void SetUp() override { InitCellPool(*st); }

    QStringList Values(int head) const {
        QStringList values;
        for (int c = head; c > 0; c = st->Cells[c].Next) values << st->Cells[c].Value;
        return values;
    }
};

}  // namespace

TEST_F(Pool, HandsOutTheCellsInOrderThenReportsExhaustion) {
    for (int i = 1; i <= kMaxCells; ++i) ASSERT_EQ(AllocCell(*st), i);
    EXPECT_EQ(AllocCell(*st), -1);
    EXPECT_EQ(st->FreeHead, -1);
    EXPECT_EQ(AllocCell(*st), -1);
}

TEST_F(Pool, AFreedCellIsHandedOutNextAndFreeingItTwiceChangesNothing) {
    const int a = AllocCell(*st);
    const int b = AllocCell(*st);
    FreeCell(*st, a);
    const int head = st->FreeHead;
    const int next = st->Cells[a].Next;
    FreeCell(*st, a);
    EXPECT_EQ(st->FreeHead, head);
    EXPECT_EQ(st->Cells[a].Next, next);
    EXPECT_EQ(AllocCell(*st), a);
    EXPECT_EQ(AllocCell(*st), b + 1);
}

// Frees and allocations in a scrambled order: the flags kept beside the free list always name
// exactly the cells on it, and freeing a cell that lies deep in the list changes nothing.
TEST_F(Pool, TheFreeFlagsFollowTheFreeListThroughAnyOrderOfOperations) {
    std::vector<int> taken;
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int round = 0; round < 5000; ++round) {
        if (taken.empty() || next() % 3 != 0) {
            const int c = AllocCell(*st);
            if (c > 0) taken.push_back(c);
        } else {
            const std::size_t k = next() % taken.size();
            FreeCell(*st, taken[k]);
            // Freeing a cell that is already free, whatever its place in the list.
            FreeCell(*st, taken[k]);
            taken.erase(taken.begin() + static_cast<std::ptrdiff_t>(k));
        }
        if (round % 250 != 0) continue;
        std::vector<bool> onList(kMaxCells + 1, false);
        int length = 0;
        for (int c = st->FreeHead; c > 0 && length <= kMaxCells; c = st->Cells[c].Next, ++length)
            onList[c] = true;
        ASSERT_EQ(length + static_cast<int>(taken.size()), kMaxCells) << "round " << round;
        for (int c = 1; c <= kMaxCells; ++c) ASSERT_EQ(st->CellIsFree[c], onList[c]) << c;
    }
}

TEST_F(Pool, AppendsKeepTheirOrderBehindTheHead) {
    int head = AppendCell(*st, ui, -1, kTypeNumber, "1");
    EXPECT_EQ(st->Cells[head].Next, -1);
    const int first = head;
    head = AppendCell(*st, ui, head, kTypeNumber, "2");
    head = AppendCell(*st, ui, head, kTypeString, "three");
    EXPECT_EQ(head, first);
    EXPECT_EQ(Values(head), QStringList({"1", "2", "three"}));
    EXPECT_EQ(AppendCell(*st, ui, 0, kTypeNumber, "x") > 0, true);
}

TEST_F(Pool, ExhaustionShowsOneMessagePerAppendAndKeepsTheQueue) {
    int head = AppendCell(*st, ui, -1, kTypeNumber, "kept");
    while (AllocCell(*st) > 0) {
    }
    EXPECT_EQ(AppendCell(*st, ui, head, kTypeNumber, "lost"), head);
    EXPECT_EQ(AppendCell(*st, ui, -1, kTypeNumber, "lost"), -1);
    EXPECT_EQ(ui.TakeMessages(), QStringList({"領域オーバーフロー", "領域オーバーフロー"}));
    EXPECT_EQ(Values(head), QStringList({"kept"}));
}

TEST_F(Pool, ReinitialisingRelinksEveryCell) {
    for (int i = 0; i < 10; ++i) AllocCell(*st);
    InitCellPool(*st);
    EXPECT_EQ(st->FreeHead, 1);
    int count = 0;
    for (int c = st->FreeHead; c > 0; c = st->Cells[c].Next) ++count;
    EXPECT_EQ(count, kMaxCells);
}

TEST(Records, ACopiedRecordIsIndependentOfItsSource) {
    auto st = std::make_unique<SharedState>();
    ElementRec source;
    source.Text = "abc";
    source.Font.Name = "font";
    st->Diagram.Elements[1] = source;
    st->Diagram.Elements[1].Text += "d";
    st->Diagram.Elements[1].Font.Name.clear();
    EXPECT_EQ(source.Text, "abc");
    EXPECT_EQ(source.Font.Name, "font");
}
