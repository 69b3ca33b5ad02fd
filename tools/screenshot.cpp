// Draws the wizard's first page, as the program starts it, into a PNG file: the picture the
// software centres show. It runs on whatever platform Qt is given (scripts/screenshot uses
// the offscreen one) with settings and caches of its own, so the user's choices never show.
#include "app/AppSetup.h"
#include "app/Unit1.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mervane-screenshot OUT.png\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    int qtArgc = 1;  // the program's name only; QApplication keeps a reference to it
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName("Mervane");
    InstallApplicationReport();
    WizardProgram program;
    TForm1* form1 = program.form1.get();
    form1->show();
    int status = 1;
    // Grabbed once the window has been laid out and painted.
    QTimer::singleShot(200, &app, [&] {
        if (form1->grab().save(out, "PNG"))
            status = 0;
        else
            std::fprintf(stderr, "mervane-screenshot: cannot write %s\n", argv[1]);
        app.quit();
    });
    app.exec();
    return status;
}
