#pragma once

// The start procedure: loads the main window (its load handler is the start-up sequence) and
// shows it modeless; the program then lives in the event loop.
void Main();
