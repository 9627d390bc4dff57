#include "app/Shell.h"
#include "app/Startup.h"
#include "platform/Fonts.h"
#include "platform/QtDesktop.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // Only EndProgram ends the program, never the closing of a window.
    QApplication::setQuitOnLastWindowClosed(false);

    // Every size added here is decoded at once and sent to the window system
    // with each window; title bars and task bars need no more than 48 px (the
    // launcher takes the large sizes from the installed icon theme).
    QIcon icon;
    for (const int size : {32, 48})
        icon.addFile(QStringLiteral(":/icons/quenlory-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    // The windows carry their own colours, which some desktop styles do not
    // draw (the Windows style paints every button in the system's grey):
    // one style that draws them, on every desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    platform::installFontSubstitutes();

    platform::QtDesktop desktop;
    app::Shell shell(desktop);
    if (!app::StartApplication(desktop, shell))
        return 0;
    return application.exec();
}
