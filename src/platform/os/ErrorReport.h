#pragma once
// The one guard between Qt and our code: every entry point from Qt (slot, event, timer,
// focus change, posted message) runs through Guarded, so no exception ever reaches Qt.
// What it catches goes to the application's error report.
#include <exception>
#include <functional>
#include <string>
#include <utility>

using ErrorReporter = std::function<void(const std::string& text)>;

// Installs the application's error report (a message box in the program, a recorder in
// tests) and returns the previous one. Main thread only.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

// Shows the text through the installed report. From a worker thread the report is posted
// to the main thread and this returns at once.
void ReportError(const std::string& text);

// Reports the exception currently being handled; call only inside a catch block.
void ReportCurrentException() noexcept;

template <class F>
void Guarded(F&& f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (...) {
        ReportCurrentException();
    }
}
