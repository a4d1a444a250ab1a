#pragma once
// Requests to quit from outside the program (framework-internal): SIGTERM and SIGHUP, as
// a logout, a shutdown or a closed terminal send them, SIGINT, and the platform's quit
// event (a session manager ending the session) all take Quit's road, so the window
// closes and saves first and the exit status is 0.

// Installs the handling once the QApplication exists; calling it again does nothing.
void InstallQuitRequests();
// Tests: gives the signals back what they did before and removes the handling from the
// application, so that the next InstallQuitRequests starts afresh.
void ForgetQuitRequestsForTesting();
