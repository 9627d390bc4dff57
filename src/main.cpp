#include "app/Shell.h"
#include "app/Startup.h"
#include "platform/Fonts.h"
#include "platform/Pictures.h"
#include "platform/QtDesktop.h"
#include "platform/Style.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // Only EndProgram ends the program, never the closing of a window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(platform::programIcon());
    QApplication::setStyle(new platform::ProgramStyle);
    platform::installFontSubstitutes();

    platform::QtDesktop desktop;
    app::Shell shell(desktop);
    if (!app::StartApplication(desktop, shell))
        return 0;
    return application.exec();
}
