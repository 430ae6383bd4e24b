#pragma once

#include <functional>

// Tells when the system's ports change (a serial adapter or a parallel port
// comes or goes). The kernel's device events are read on the event loop of
// the thread that subscribes first, once an application object exists;
// without one nothing is watched, and Changed still reaches the subscribers.
namespace DeviceChangeWatch {

// The handler runs on the watching thread; the id unsubscribes it.
int Subscribe(std::function<void()> handler);
void Unsubscribe(int id);
// Calls every subscriber, as a device event does.
void Changed();
// Whether a kernel device event (its text, NUL-separated KEY=VALUE fields
// after the "action@path" header) concerns the ports.
bool ConcernsPorts(const char* message, size_t length);

} // namespace DeviceChangeWatch
