#pragma once
#include <cstdint>

// The main window's timers: the window implements them with SetTimer, tests
// tick by hand.
enum class TimerId : int { StartUp = 1, StatusBlink = 2, KeepAlive = 3 };

class Scheduler {
public:
    virtual ~Scheduler() = default;
    // (Re)arms the timer to fire every milliseconds.
    virtual void SetTimer(TimerId timer, uint32_t milliseconds) = 0;
    virtual void StopTimer(TimerId timer) = 0;
};
