#pragma once

// The application's terminate request: the event loop ends and the program exits.
// Tests read whether it was asked for.
class Application
{
public:
    static void terminate();

    static void setTestMode(bool on);
    static bool terminateRequested();
};
