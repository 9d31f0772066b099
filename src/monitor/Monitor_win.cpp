// Threads. The main thread owns the object and makes every public call. The worker waits on
// the three change notifications and on three request events (restart, stop, pause).
//
// The notifications are handed over, never shared: the main thread creates them only while no
// worker is alive (the first Start), and from the moment a worker exists until it has been
// joined only the worker re-arms, re-creates and closes them. The main thread asks instead:
// Start signals restartevent, Pause signals pauseevent, and each then waits until the worker
// answers on doneevent or ends, whichever comes first (waiting on the thread handle as well
// means a worker that dies on its own can never leave the main thread hanging). Since Start
// waits for that answer, folder is never written while the worker reads it.
//
// The events and the thread handle belong to the main thread, which closes them only after
// the worker has been joined: by Stop and Exit, or by a Start or Pause that finds the worker
// ended by itself (a folder that vanished, a failed re-arm). The change flag is the one datum
// both threads touch without such a handshake, hence atomic.
#include "monitor/Monitor_win.h"

#include <cstring>

namespace {

// FindFirstChangeNotification reports failure as INVALID_HANDLE_VALUE; null means "none" here.
HANDLE watch(const char* dir, DWORD filter) {
    HANDLE h = FindFirstChangeNotificationA(dir, FALSE, filter);
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

void closeNotification(HANDLE& h) {
    if (h) FindCloseChangeNotification(h);
    h = nullptr;
}

void closeEvent(HANDLE& h) {
    if (h) CloseHandle(h);
    h = nullptr;
}

}  // namespace

cMonitor::cMonitor()
    : folder(),
      running(false),
      changed(false),
      dirnotify(nullptr),
      filenotify(nullptr),
      writenotify(nullptr),
      restartevent(nullptr),
      stopevent(nullptr),
      pauseevent(nullptr),
      doneevent(nullptr),
      thread(nullptr),
      threadid(0) {}

cMonitor::~cMonitor() { Exit(); }

void cMonitor::Start(const char* dir) {
    std::strncpy(folder, dir ? dir : "", sizeof folder - 1);
    folder[sizeof folder - 1] = 0;
    if (WorkerRunning() && Ask(restartevent)) return;
    Join();  // reaps a worker that has ended by itself
    SetData();
    Run();
}

void cMonitor::Pause() {
    if (WorkerRunning()) {
        Ask(pauseevent);
        return;
    }
    Join();
    ResetData();  // left open only if Run failed
}

void cMonitor::Stop() {
    if (stopevent) SetEvent(stopevent);
    Join();
}

void cMonitor::Exit() {
    Stop();
    ResetData();
}

bool cMonitor::WorkerRunning() const {
    return thread && WaitForSingleObject(thread, 0) == WAIT_TIMEOUT;
}

// Unlike a detached worker, this one keeps its thread handle so that it can be joined.
bool cMonitor::Run() {
    HANDLE* const events[] = {&restartevent, &stopevent, &pauseevent, &doneevent};
    for (HANDLE* e : events) {
        *e = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (!*e) {
            CloseEvents();
            return false;
        }
    }
    thread = CreateThread(nullptr, 0, MonitorThrdFunc, this, 0, &threadid);
    if (!thread) {
        threadid = 0;
        CloseEvents();
        return false;
    }
    return true;
}

bool cMonitor::SetData() {
    ResetData();
    dirnotify = watch(folder, FILE_NOTIFY_CHANGE_DIR_NAME);
    if (dirnotify) filenotify = watch(folder, FILE_NOTIFY_CHANGE_FILE_NAME);
    if (filenotify) writenotify = watch(folder, FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (writenotify) return true;
    ResetData();
    return false;
}

void cMonitor::ResetData() {
    closeNotification(dirnotify);
    closeNotification(filenotify);
    closeNotification(writenotify);
}

DWORD WINAPI cMonitor::MonitorThrdFunc(void* self) {
    static_cast<cMonitor*>(self)->Loop();
    return 0;
}

void cMonitor::Loop() {
    // A folder that could not be watched ends the worker at once.
    running = writenotify != nullptr;
    bool armed = running;
    while (running) {
        const Wake wake = WaitForRequest(armed);
        switch (wake) {
            case kChange0:
            case kChange1:
            case kChange2: {
                changed = true;
                const HANDLE fired[] = {dirnotify, filenotify, writenotify};
                running = FindNextChangeNotification(fired[wake]) != FALSE;
                break;
            }
            case kRestart:
                armed = running = SetData();
                SetEvent(doneevent);
                break;
            case kPause:
                ResetData();
                armed = false;
                SetEvent(doneevent);
                break;
            case kStop:
            case kFailed:
                running = false;
                break;
        }
    }
    ResetData();
}

// While paused only the requests are waited on. The lowest index wins when several handles
// are signalled: changes before requests, so a change that raced a Pause is still counted.
cMonitor::Wake cMonitor::WaitForRequest(bool armed) {
    const HANDLE all[] = {dirnotify, filenotify, writenotify, restartevent, stopevent, pauseevent};
    const DWORD first = armed ? kChange0 : kRestart;
    const DWORD count = kFailed - first;
    const DWORD index = WaitForMultipleObjects(count, all + first, FALSE, INFINITE) - WAIT_OBJECT_0;
    return index < count ? static_cast<Wake>(first + index) : kFailed;
}

// True when the worker answered; false when it ended without doing so.
bool cMonitor::Ask(HANDLE request) {
    SetEvent(request);
    const HANDLE answer[] = {doneevent, thread};
    return WaitForMultipleObjects(2, answer, FALSE, INFINITE) == WAIT_OBJECT_0;
}

void cMonitor::Join() {
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        thread = nullptr;
        threadid = 0;
    }
    CloseEvents();
}

void cMonitor::CloseEvents() {
    closeEvent(restartevent);
    closeEvent(stopevent);
    closeEvent(pauseevent);
    closeEvent(doneevent);
}
