// The program: the sound card, then the wizard window, the hidden window that owns the
// components, and the encoder details dialog, created in this order; the program ends when
// the wizard closes, and the card goes after the windows. A file named on the command line
// is opened on its road.
#include "app/AppSetup.h"
#include "app/Unit1.h"
#include "platform/os/ErrorReport.h"
#include "platform/os/StopSignals.h"
#include "platform/os/Translations.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mervane");
    InstallTranslations();
    InstallApplicationReport();
    WizardProgram program;
    TForm1* form1 = program.form1.get();
    QObject::connect(form1, &TForm1::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    // A logout or a closed terminal ends a run as closing the window does: no working file stays.
    StopSignals stopSignals([form1] { form1->EndBySignal(); });
    form1->show();
    // `mervane FILE` (as the file manager starts it) opens the file's road with it picked;
    // QApplication has taken its own options out of argv by now.
    if (argc > 1) {
        const std::string file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath().toStdString();
        Guarded([&] { form1->OpenFromCommandLine(file); });
    }
    return app.exec();
}
