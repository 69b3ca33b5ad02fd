#include "platform/os/ErrorReport.h"

#include "platform/os/MessageTarget.h"

#include <QCoreApplication>
#include <cstdio>
#include <mutex>

namespace {
// Guarded by reporterMutex: installed on the main thread, read wherever a report starts.
std::mutex reporterMutex;
ErrorReporter installedReporter;

void printReport(const std::string& text)
{
    std::fprintf(stderr, "Mervane: %s\n", text.c_str());
}

void deliver(const std::string& text)
{
    ErrorReporter reporter;
    {
        std::lock_guard lock(reporterMutex);
        reporter = installedReporter;
    }
    try {
        if (reporter)
            reporter(text);
        else
            printReport(text);
    } catch (...) {
        printReport(text);
    }
}
}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter)
{
    std::lock_guard lock(reporterMutex);
    std::swap(installedReporter, reporter);
    return reporter;
}

void ReportError(const std::string& text)
{
    PostToMainThread([text] { deliver(text); });
}

void ReportCurrentException() noexcept
{
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            ReportError(e.what());
        } catch (...) {
            ReportError(QCoreApplication::translate("ErrorReport", "Unknown error").toStdString());
        }
    } catch (...) {
        // The report itself failed (out of memory); nothing more can be shown.
    }
}
