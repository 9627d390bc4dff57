#include "app/Shell.h"
#include "app/Startup.h"
#include "platform/QtDesktop.h"
#include "windowkit/Look.h"
#include "windowkit/Pictures.h"
#include "windowkit/Style.h"

#include <QApplication>
#include <QStyleHints>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The windows have colours of their own, drawn the same whether the
    // desktop is set to dark or light (Qt follows Windows' dark mode from
    // 6.5 on).
    QGuiApplication::styleHints()->setColorScheme(Qt::ColorScheme::Light);
#endif
    // Only EndProgram ends the program, never the closing of a window.
    QApplication::setQuitOnLastWindowClosed(false);
    // The window icon at the sizes the screens need.
    QApplication::setWindowIcon(windowkit::programIcon(application.devicePixelRatio()));
    QApplication::setStyle(new windowkit::ProgramStyle);
    windowkit::installFontSubstitutes();

    platform::QtDesktop desktop;
    app::Shell shell(desktop);
    if (!app::StartApplication(desktop, shell))
        return 0;
    return application.exec();
}
