// Process-wide state the preview shares with the snapshot command: the lock that keeps a preview-graph build
// and a snapshot apart (both run on the user-interface thread and may re-enter the message loop), and the
// size and owner of the frames the running preview graph delivers.
#pragma once

class Preview;

// What the snapshot command needs to know about the running preview graph.
struct SnapshotState
{
    Preview* owner = nullptr;
    int frameWidth = 0;
    int frameHeight = 0;
};
extern SnapshotState g_SnapshotState;

// Made by every preview dialog that loaded its skin and removed by its destructor; counted, because a closed
// preview's object may go only after the next one has been made.
void PreviewCreateGraphLock();
void PreviewDeleteGraphLock();

// Holds the lock for its scope; does nothing while no preview has made the lock. Re-entrant on one thread.
class GraphLock
{
public:
    GraphLock();
    ~GraphLock();
    GraphLock(const GraphLock&) = delete;
    GraphLock& operator=(const GraphLock&) = delete;

private:
    bool m_entered = false;
};
