#pragma once
// A long job's word to a user who has turned to other windows: while a run goes on, its
// progress shows on the program's task-bar entry; when a run of more than half a minute
// ends while the wizard is not the active window, a desktop notification says what was made.
// Main thread.
#include <chrono>
#include <string>

class QWidget;

class LongJobNotice {
public:
    explicit LongJobNotice(QWidget* window) : window_(window) {}

    // A run begins: its clock starts.
    void Started();
    bool Running() const { return running_; }
    // The run has done this fraction (0 to 1) of its work.
    void Progress(double fraction);
    // The run has ended: summary is the notification's first line ("Encoding finished"),
    // body what was made or why it stopped. Says nothing for a short run or an active window.
    void Finished(const std::string& summary, const std::string& body);

    // How long a run must have taken to be worth a notification (tests shorten it).
    static void SetLongRunThreshold(std::chrono::milliseconds threshold);

private:
    QWidget* window_;
    bool running_ = false;
    std::chrono::steady_clock::time_point started_{};
};
