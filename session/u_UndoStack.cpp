#include "session/u_UndoStack.h"

#include <utility>

qsizetype TChangeStep::ByteSize() const {
    qsizetype bytes = order.size() * qsizetype(sizeof(int));
    for (const TRowEdit& edit : edits) {
        bytes += edit.held.ByteSize();
    }
    return bytes;
}

void TUndoStack::Push(TChangeStep step) {
    for (const TChangeStep& undone : redo_) {
        bytes_ -= undone.ByteSize();
    }
    redo_.clear();
    bytes_ += step.ByteSize();
    undo_.push_back(std::move(step));
    trim(undo_);
}

TChangeStep TUndoStack::TakeUndo() {
    TChangeStep step = std::move(undo_.back());
    undo_.pop_back();
    bytes_ -= step.ByteSize();
    return step;
}

void TUndoStack::PushUndone(TChangeStep step) {
    bytes_ += step.ByteSize();
    redo_.push_back(std::move(step));
    trim(redo_);
}

TChangeStep TUndoStack::TakeRedo() {
    TChangeStep step = std::move(redo_.back());
    redo_.pop_back();
    bytes_ -= step.ByteSize();
    return step;
}

void TUndoStack::PushRedone(TChangeStep step) {
    bytes_ += step.ByteSize();
    undo_.push_back(std::move(step));
    trim(undo_);
}

void TUndoStack::Clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
}

void TUndoStack::SetLimits(int maxSteps, qsizetype maxBytes) {
    maxSteps_ = maxSteps;
    maxBytes_ = maxBytes;
    trim(undo_);
}

void TUndoStack::trim(const std::deque<TChangeStep>& newest) {
    const auto over = [this] {
        return int(undo_.size() + redo_.size()) > maxSteps_ || bytes_ > maxBytes_;
    };
    // The oldest undo steps go first, then the redo steps farthest from the
    // present; the step just put on a side is kept.
    const auto spare = [&newest](const std::deque<TChangeStep>& side) {
        return side.size() > (&side == &newest ? 1u : 0u);
    };
    while (over()) {
        std::deque<TChangeStep>* side = spare(undo_) ? &undo_ : spare(redo_) ? &redo_ : nullptr;
        if (side == nullptr) {
            return;
        }
        bytes_ -= side->front().ByteSize();
        side->pop_front();
    }
}
