#pragma once
// Where a component delivers its events: on the main thread through a hidden window
// (cmWindow), at once in the system's own callback (cmCallback), or on a worker thread of
// the component (cmThread). The wave-in device and the high-resolution timer take it.
#include <QCoreApplication>
#include <string>

enum TMMCBMode { cmWindow, cmCallback, cmThread };

// The text of the message box that refuses cmCallback: such callbacks would run at
// interrupt time, which only one old system allowed.
inline std::string CallbackModeRefusal()
{
    return QCoreApplication::translate("TMMCBMode",
                                       "\"CallBacks\" are called at interrupt time !\n\rThis is currently only supported under "
                                       "Windows 95")
        .toStdString();
}
