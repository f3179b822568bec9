#include "platform/Application.h"

#include <QCoreApplication>

namespace {
bool g_test = false;
bool g_requested = false;
} // namespace

void Application::terminate()
{
    g_requested = true;
    if (!g_test)
        QCoreApplication::quit();
}

void Application::setTestMode(bool on)
{
    g_test = on;
    g_requested = false;
}

bool Application::terminateRequested() { return g_requested; }
