#pragma once

#include <windows.h>

#include <atomic>

// Watches one folder on a worker thread while the editor is in the background and remembers
// whether anything in it changed (names of files or folders, or a file written). It posts no
// message: the main window reads DirChange() when it comes back to the foreground.
//
// All public operations belong to the main thread. Start, Pause, Stop and Exit return only when
// the worker has done what they asked, so a file written after Start returns is always seen and
// one written after Pause returns never is.
class cMonitor {
public:
    cMonitor();
    ~cMonitor();
    cMonitor(const cMonitor&) = delete;
    cMonitor& operator=(const cMonitor&) = delete;

    // Watches dir from now on: re-targets the running worker, or builds a new one.
    void Start(const char* dir);
    // Stops watching until the next Start; the worker stays.
    void Pause();
    // Ends the worker and waits for it.
    void Stop();
    bool DirChange() const { return changed; }
    void Reset() { changed = false; }
    // Ends the worker and releases every handle; the object may be destroyed afterwards.
    void Exit();

private:
    bool Run();
    bool SetData();
    void ResetData();
    bool WorkerRunning() const;
    void Loop();
    static DWORD WINAPI MonitorThrdFunc(void* self);

    enum Wake { kChange0, kChange1, kChange2, kRestart, kStop, kPause, kFailed };
    Wake WaitForRequest(bool armed);
    bool Ask(HANDLE request);
    void Join();
    void CloseEvents();

    char folder[MAX_PATH];
    bool running;               // the worker's loop; touched by the worker alone
    std::atomic<bool> changed;  // set by the worker, read and cleared by the main thread
    HANDLE dirnotify;
    HANDLE filenotify;
    HANDLE writenotify;
    HANDLE restartevent;
    HANDLE stopevent;
    HANDLE pauseevent;  // asks the worker to close its notifications
    HANDLE doneevent;   // the worker's answer to a restart or a pause
    HANDLE thread;      // kept so that the worker can be joined
    DWORD threadid;
};
