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
    // The windows have colours of their own, drawn the same whether the
    // desktop is set to dark or light. Qt follows Windows' dark mode from
    // 6.5 on unless its windows platform is told not to; asking for the
    // light scheme once it runs instead would make it rebuild its palettes
    // and fonts, about 5 % of the start under Wine.
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:darkmode=0");
#endif
    QApplication application(argc, argv);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0) && !defined(Q_OS_WIN)
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
