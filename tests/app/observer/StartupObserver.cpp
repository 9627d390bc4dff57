// A generic Qt plugin that the process tests load into the real program
// through QT_QPA_GENERIC_PLUGINS. It appends one line per window or message
// box the program shows and per page it hands to the browser to the file
// named by QUENLORY_OBSERVER_LOG, and answers every message box as a user
// would (the answer to a Yes/No question comes from QUENLORY_OBSERVER_ANSWER),
// so a copy waiting on a box can be watched on the offscreen platform. The
// program itself knows nothing of it.

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QFile>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace {

QString iconName(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Information:
        return QStringLiteral("information");
    case QMessageBox::Critical:
        return QStringLiteral("critical");
    default:
        return QStringLiteral("other");
    }
}

QString buttonNames(QMessageBox::StandardButtons buttons)
{
    QStringList names;
    if (buttons & QMessageBox::Ok)
        names << QStringLiteral("Ok");
    if (buttons & QMessageBox::Yes)
        names << QStringLiteral("Yes");
    if (buttons & QMessageBox::No)
        names << QStringLiteral("No");
    if (buttons & ~(QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No))
        names << QStringLiteral("other");
    return names.join(u'+');
}

class Observer : public QObject
{
    Q_OBJECT

public:
    Observer()
        : m_log(qEnvironmentVariable("QUENLORY_OBSERVER_LOG")),
          m_answerYes(qEnvironmentVariable("QUENLORY_OBSERVER_ANSWER") == QStringLiteral("yes"))
    {
        QCoreApplication::instance()->installEventFilter(this);
        // Pages go to this log instead of a browser.
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openPage");
        record({QStringLiteral("start")});
    }
    ~Observer() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

public slots:
    void openPage(const QUrl &url) { record({QStringLiteral("open"), url.toString()}); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (!widget->isWindow())
            return false;
        if (auto *box = qobject_cast<QMessageBox *>(widget)) {
            QString text = box->text();
            record({QStringLiteral("message"), box->windowTitle(), text.replace(u'\n', QStringLiteral("\\n")),
                    iconName(box->icon()), buttonNames(box->standardButtons())});
            QTimer::singleShot(0, box, [this, box] { answer(box); });
        } else {
            record({QStringLiteral("window"), widget->objectName(), widget->windowTitle()});
        }
        return false;
    }

private:
    void answer(QMessageBox *box)
    {
        QMessageBox::StandardButton pick = QMessageBox::Ok;
        if (box->standardButtons() & QMessageBox::Yes)
            pick = m_answerYes ? QMessageBox::Yes : QMessageBox::No;
        if (QAbstractButton *button = box->button(pick))
            button->click();
    }

    void record(const QStringList &fields)
    {
        QFile file(m_log);
        if (file.open(QIODevice::Append | QIODevice::Text))
            file.write(fields.join(u'|').toUtf8() + '\n');
    }

    QString m_log;
    bool m_answerYes;
};

} // namespace

class StartupObserverPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "startupobserver.json")

public:
    QObject *create(const QString &, const QString &) override { return new Observer; }
};

#include "StartupObserver.moc"
