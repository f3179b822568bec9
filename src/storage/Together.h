#pragma once

#include <functional>

// Runs `here` on the calling thread and `there` on a thread of its own, at the same time, and
// returns when both are done. What either throws is thrown again then, `here`'s first; the
// other is still let finish. The two must share nothing that either changes.
void bothAtOnce(const std::function<void()> &here, const std::function<void()> &there);
