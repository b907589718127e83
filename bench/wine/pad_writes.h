// Counting the writes of the pad by watching its folder: every save ends with a new file
// taking the name Quillpad.qpd.
#pragma once

#include <windows.h>

#include <string>

class PadWriteCounter {
  public:
    explicit PadWriteCounter(const std::string& folder);
    ~PadWriteCounter();
    PadWriteCounter(const PadWriteCounter&) = delete;
    PadWriteCounter& operator=(const PadWriteCounter&) = delete;

    // The writes seen since the counter was made, once no new one has come for quietMs.
    int CountWhenQuiet(int quietMs = 300);
    // More changes came at once than the watch could hold, so the count is too low.
    bool Overflowed() const { return overflowed_; }

  private:
    void Watch();
    void TakeChanges();

    HANDLE folder_;
    HANDLE done_;
    OVERLAPPED overlapped_{};
    alignas(DWORD) BYTE changes_[64 * 1024];
    int writes_ = 0;
    bool overflowed_ = false;
};
