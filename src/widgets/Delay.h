#pragma once
// Waits `ms` milliseconds while window messages are processed, so the window
// stays responsive (and handlers may run meanwhile). Returns at once when the
// application is terminating.
void Delay(int ms);

// Set when the main window closes; Delay and other waits return at once.
void markApplicationTerminating();
bool applicationTerminating();
void resetApplicationTerminating();
