#pragma once
// What the File menu needs of the edit history: whether the diagram holds changes that are not
// in its file, and telling the history when the diagram was saved or replaced.

class ChangeTracker {
public:
    virtual ~ChangeTracker() = default;

    // The diagram differs from what was last loaded or saved.
    virtual bool Modified() const = 0;
    // The diagram as it stands is now in its file.
    virtual void Saved() = 0;
    // The diagram was replaced (a file was loaded, or New cleared it): what came before can no
    // longer be taken back, and nothing is unsaved.
    virtual void Replaced() = 0;
    // Something that is no edit changed in the records (a breakpoint): an edit taken back later
    // brings it back as it is now.
    virtual void Remark() {}
};
