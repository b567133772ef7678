#pragma once

// While an operation of the session changes rows, AfterMove waits until
// recordsChanged is out, so that a view follows the change before it shows
// the new cursor. Private to the session.
class TChangeScope {
  public:
    TChangeScope(bool& changing, bool& moved) : changing_(changing) {
        changing_ = true;
        moved = false;
    }
    ~TChangeScope() { changing_ = false; }
    TChangeScope(const TChangeScope&) = delete;
    TChangeScope& operator=(const TChangeScope&) = delete;

  private:
    bool& changing_;
};
