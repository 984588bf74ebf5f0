#include "model/run_journal.h"

void RunJournal::Clear() {
    changes_.clear();
    texts_.clear();
    steps_.clear();
    firstChange_ = firstText_ = 0;
    recording_ = false;
}

void RunJournal::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled_) Clear();
}

void RunJournal::BeginStep(const ShownRun& shown) {
    if (!enabled_) return;
    if (steps_.size() >= static_cast<std::size_t>(kStepsKept)) DropOldest();
    current_ = {0, 0, shown};
    recording_ = true;
}

void RunJournal::EndStep() {
    if (!recording_) return;
    recording_ = false;
    steps_.push_back(current_);
}

std::optional<ShownRun> RunJournal::TakeBack() {
    if (steps_.empty() || recording_) return std::nullopt;
    const Step step = steps_.back();
    steps_.pop_back();
    for (std::uint32_t k = 0; k < step.changes; ++k) {
        const Change c = changes_.back();
        changes_.pop_back();
        switch (c.kind) {
            case Kind::Int16:
                *static_cast<std::int16_t*>(c.field) = static_cast<std::int16_t>(c.old);
                break;
            case Kind::Int32:
                *static_cast<std::int32_t*>(c.field) = c.old;
                break;
            case Kind::Bool:
                *static_cast<bool*>(c.field) = c.old != 0;
                break;
            case Kind::String:
                *static_cast<QString*>(c.field) = std::move(texts_.back());
                texts_.pop_back();
                break;
        }
    }
    return step.shown;
}

void RunJournal::DropOldest() {
    const Step& step = steps_.front();
    for (std::size_t k = firstText_; k < firstText_ + step.texts; ++k) texts_[k] = QString();
    firstChange_ += step.changes;
    firstText_ += step.texts;
    steps_.pop_front();
    if (firstChange_ * 2 >= changes_.size() && firstChange_ > 4096) {
        changes_.erase(changes_.begin(),
                       changes_.begin() + static_cast<std::ptrdiff_t>(firstChange_));
        firstChange_ = 0;
    }
    if (firstText_ * 2 >= texts_.size() && firstText_ > 4096) {
        texts_.erase(texts_.begin(), texts_.begin() + static_cast<std::ptrdiff_t>(firstText_));
        firstText_ = 0;
    }
}

std::size_t RunJournal::Bytes() const {
    std::size_t bytes = changes_.capacity() * sizeof(Change) + steps_.size() * sizeof(Step) +
                        texts_.capacity() * sizeof(QString);
    // A text's characters, with the header in front of them.
    for (const QString& t : texts_)
        if (!t.isNull()) bytes += static_cast<std::size_t>(t.capacity()) * sizeof(QChar) + 16;
    return bytes;
}
