#pragma once
// Stands for the window of a document's first view: background threads post
// (never send) a code and a value to it. Implementations queue the pair to
// their own thread; Post must never block on the receiver.

#include <cstdint>

class NotificationSink {
public:
    virtual ~NotificationSink() = default;
    // The "window still exists" test: posting to a dead sink does nothing.
    virtual bool IsAlive() const = 0;
    virtual void Post(int code, std::intptr_t value) = 0;
};
