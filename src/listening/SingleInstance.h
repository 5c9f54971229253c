#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

class InstanceLock;

// What the start procedure does about another instance on the same program folder.
namespace SingleInstance {

// Publishes this instance's main window, on the display the program runs on, through the
// folder's lock.
void PublishMainWindow(InstanceLock& lock, uint32_t window);

// A start while another instance runs on the folder: brings that instance's main window to
// the front (waiting a few seconds for it to be published, as that instance may still be
// starting) and says so on messages. The exit status of this start: 0 when the window came
// to the front, 1 when it could not.
int BringRunningInstanceToFront(const std::string& folder, std::ostream& messages);

}  // namespace SingleInstance
