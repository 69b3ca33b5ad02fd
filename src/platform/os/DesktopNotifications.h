#pragma once
// Word to the desktop through the session bus: a notification when a long job has ended
// (org.freedesktop.Notifications) and the job's progress on the program's task-bar entry
// (com.canonical.Unity.LauncherEntry, which docks and task managers of several desktops
// read). Both are courtesies: the calls never wait for an answer, and with no session bus
// or no service listening nothing happens and nothing is reported. Main thread.
#include <string>

namespace DesktopNotifications {

// Shows a notification with this summary line and body text, named for the program.
void Notify(const std::string& summary, const std::string& body);

// Shows the task-bar entry's progress bar at fraction (0 to 1) of the job.
void ShowProgress(double fraction);

// Takes the task-bar entry's progress bar away.
void HideProgress();

}  // namespace DesktopNotifications
