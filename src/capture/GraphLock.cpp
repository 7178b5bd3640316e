// The graph lock and the snapshot state (see GraphLock.h).
#include "capture/GraphLock.h"

#include <windows.h>

SnapshotState g_SnapshotState;

namespace {

CRITICAL_SECTION g_csGraph;
bool g_csGraphReady = false;
int g_csGraphUsers = 0;

} // namespace

void PreviewCreateGraphLock()
{
    if (g_csGraphUsers++ == 0) {
        InitializeCriticalSection(&g_csGraph);
        g_csGraphReady = true;
    }
}

void PreviewDeleteGraphLock()
{
    if (g_csGraphUsers > 0 && --g_csGraphUsers == 0) {
        DeleteCriticalSection(&g_csGraph);
        g_csGraphReady = false;
    }
}

GraphLock::GraphLock()
{
    if (g_csGraphReady) {
        EnterCriticalSection(&g_csGraph);
        m_entered = true;
    }
}

GraphLock::~GraphLock()
{
    // Leaves only what it entered: the lock may have been made while this scope ran.
    if (m_entered)
        LeaveCriticalSection(&g_csGraph);
}
