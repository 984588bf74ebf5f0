#pragma once
// What each step of a run changed, so that steps can be taken back: before a step writes a field
// of the run (a cell of the value pool, the free list, a queue head, a value, a connection's flag,
// the run position and flags, the status line), the step notes the field's old value here. Taking
// the last step back writes the old values back in reverse order, which puts every field, and so
// the pool with its free list in its order, exactly as it was. Whole copies are never made.
//
// A journal belongs to the state whose fields it notes; anything that changes those fields other
// than a step (initialising the run, an edit, a load) clears it. A copy of a journal is empty.

#include "model/records.h"

#include <QString>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// What the canvas showed of a run: the element drawn as stepped (-1 for none) and the
// connections drawn as having carried a value.
struct ShownRun {
    int highlight = -1;
    std::bitset<kMaxConnections + 1> active;

    bool operator==(const ShownRun&) const = default;
};

class RunJournal {
public:
    // Steps kept; older ones fall off.
    static constexpr int kStepsKept = 10000;

    RunJournal() = default;
    RunJournal(const RunJournal&) {}
    RunJournal& operator=(const RunJournal&) {
        Clear();
        return *this;
    }

    // Forgets every step, also one being recorded (which then records nothing more).
    void Clear();
    // Steps are recorded only while enabled (a run without a window keeps no history).
    void SetEnabled(bool enabled);

    // A step begins; shown is what the canvas showed before it.
    void BeginStep(const ShownRun& shown);
    void EndStep();
    bool Recording() const { return recording_; }

    // The value field holds now, noted while a step is recorded, before the step writes it.
    void Note(std::int16_t& field) { NoteIntegral(&field, field, Kind::Int16); }
    void Note(std::int32_t& field) { NoteIntegral(&field, field, Kind::Int32); }
    void Note(bool& field) { NoteIntegral(&field, field, Kind::Bool); }
    // A text's old value is moved here: the step overwrites the field right after noting it.
    void Note(QString& field) {
        if (!recording_) return;
        changes_.push_back({&field, 0, Kind::String});
        texts_.push_back(std::move(field));
        ++current_.changes;
        ++current_.texts;
    }

    int Steps() const { return static_cast<int>(steps_.size()); }
    // Puts every field the last step wrote back as it was and forgets the step. Returns what
    // the canvas showed before that step; nothing when there is no step to take back.
    std::optional<ShownRun> TakeBack();

    // Memory the journal holds, texts included.
    std::size_t Bytes() const;

private:
    enum class Kind : std::uint8_t { Int16, Int32, Bool, String };
    struct Change {
        void* field;
        std::int32_t old;
        Kind kind;
    };
    struct Step {
        std::uint32_t changes = 0;
        std::uint32_t texts = 0;
        ShownRun shown;
    };

    void NoteIntegral(void* field, std::int32_t old, Kind kind) {
        if (!recording_) return;
        changes_.push_back({field, old, kind});
        ++current_.changes;
    }
    void DropOldest();

    bool enabled_ = true;
    bool recording_ = false;
    Step current_;  // the step being recorded
    // Oldest first. The oldest steps are dropped by moving the first live entry on; the dropped
    // room is given back once it is as large as what is kept.
    std::vector<Change> changes_;
    std::vector<QString> texts_;  // the old values of the String changes, in order
    std::deque<Step> steps_;
    std::size_t firstChange_ = 0, firstText_ = 0;
};
