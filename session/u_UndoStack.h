#pragma once

#include "session/u_ChangeStep.h"

#include <deque>

// The changes of the open database that can be undone and redone, newest
// last. It is bounded by a number of steps and by the bytes the steps keep
// (the texts the database no longer holds), whichever is reached first: the
// oldest undo steps go, then the redo steps farthest away; the step just
// done or undone always stays, however large.
class TUndoStack {
  public:
    static constexpr int kMaxSteps = 100;
    static constexpr qsizetype kMaxBytes = qsizetype(64) * 1024 * 1024;

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    const TChangeStep* NextUndo() const { return undo_.empty() ? nullptr : &undo_.back(); }
    const TChangeStep* NextRedo() const { return redo_.empty() ? nullptr : &redo_.back(); }
    int UndoCount() const { return static_cast<int>(undo_.size()); }
    int RedoCount() const { return static_cast<int>(redo_.size()); }
    qsizetype ByteSize() const { return bytes_; }

    // A new change: the steps that were undone can no longer be redone.
    void Push(TChangeStep step);
    // The step to undo, taken off the stack; PushUndone puts it on the redo
    // side once it is undone.
    TChangeStep TakeUndo();
    void PushUndone(TChangeStep step);
    // The step to redo, taken off the stack; PushRedone puts it back on the
    // undo side once it is redone.
    TChangeStep TakeRedo();
    void PushRedone(TChangeStep step);
    void Clear();

    // Other bounds (tests).
    void SetLimits(int maxSteps, qsizetype maxBytes);

  private:
    void trim(const std::deque<TChangeStep>& newest);

    std::deque<TChangeStep> undo_;
    std::deque<TChangeStep> redo_;
    qsizetype bytes_ = 0;
    int maxSteps_ = kMaxSteps;
    qsizetype maxBytes_ = kMaxBytes;
};
