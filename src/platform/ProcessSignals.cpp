#include "platform/ProcessSignals.h"

#include <csignal>

namespace ProcessSignals {

void prepare() { std::signal(SIGXFSZ, SIG_IGN); }

} // namespace ProcessSignals
