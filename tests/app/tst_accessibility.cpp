// What a screen reader hears: every window is walked through QAccessible as
// an assistive tool would walk it. A control the user can reach with the
// keyboard must say what it is; a label that shows a value must be heard as
// that value; a link must say that it opens a web page.

#include "Controls.h"
#include "FakeDesktop.h"
#include "Windows.h"

#include "aboutbox/FrmAbout.h"
#include "exitscreen/FrmNagScreen2.h"
#include "windowkit/Site.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>

namespace {

QString describe(QAccessibleInterface *node)
{
    const QObject *object = node->object();
    const QString name = object && !object->objectName().isEmpty() ? object->objectName()
                                                                   : QStringLiteral("(unnamed)");
    return name + QStringLiteral(" [") + node->text(QAccessible::Name) + QStringLiteral(" | ")
           + node->text(QAccessible::Description) + u']';
}

template<typename Visit>
void walk(QAccessibleInterface *node, Visit &&visit)
{
    if (!node)
        return;
    visit(node);
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), visit);
}

bool isFocusableWidget(QAccessibleInterface *node)
{
    const QAccessible::State state = node->state();
    if (!state.focusable || state.invisible)
        return false;
    // Menu items are named by their captions; the widgets are what this checks.
    const auto *widget = qobject_cast<const QWidget *>(node->object());
    return widget && !qobject_cast<const QMenuBar *>(widget) && !qobject_cast<const QMenu *>(widget);
}

// Every way the window fails a screen reader, one line each.
QStringList problemsIn(QWidget *window, const QStringList &valueLabels, const QStringList &linkLabels)
{
    QStringList problems;
    QSet<QString> heard;
    walk(QAccessible::queryAccessibleInterface(window), [&](QAccessibleInterface *node) {
        if (!isFocusableWidget(node))
            return;
        const QString name = node->text(QAccessible::Name);
        const QString description = node->text(QAccessible::Description);
        if (name.trimmed().isEmpty() && description.trimmed().isEmpty())
            problems << QStringLiteral("no name and no description: ") + describe(node);
        // Two lists both showing "1" must still be told apart.
        const QString key = QString::number(node->role()) + u'|' + name + u'|' + description;
        if (heard.contains(key))
            problems << QStringLiteral("sounds like another control: ") + describe(node);
        heard.insert(key);
    });
    for (const QString &objectName : valueLabels) {
        auto *label = window->findChild<QLabel *>(objectName);
        if (!label) {
            problems << QStringLiteral("no value label ") + objectName;
            continue;
        }
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(label);
        if (node->text(QAccessible::Name) != label->text())
            problems << QStringLiteral("value label not heard as its text: ") + describe(node);
        if (node->text(QAccessible::Description).trimmed().isEmpty())
            problems << QStringLiteral("value label without description: ") + describe(node);
    }
    for (const QString &objectName : linkLabels) {
        auto *label = window->findChild<QLabel *>(objectName);
        if (!label) {
            problems << QStringLiteral("no link label ") + objectName;
            continue;
        }
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(label);
        if (!node->text(QAccessible::Description).contains(QStringLiteral("web page"), Qt::CaseInsensitive))
            problems << QStringLiteral("link label does not say it opens a web page: ") + describe(node);
    }
    return problems;
}

QString accessibleText(QWidget *window, const QString &objectName, QAccessible::Text which)
{
    auto *widget = window->findChild<QWidget *>(objectName);
    if (!widget)
        return QStringLiteral("(missing %1)").arg(objectName);
    return QAccessible::queryAccessibleInterface(widget)->text(which);
}

const QStringList kBanners = {QStringLiteral("Label61"), QStringLiteral("lblCobrand"),
                              QStringLiteral("lblFullBrand")};

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void mainWindow();
    void mainWindowSaysWhatEachInputIs_data();
    void mainWindowSaysWhatEachInputIs();
    void resultWindow();
    void resultWindowValuesFollowTheRun();
    void aboutBox();
    void exitScreen();

private:
    FrmDisplay *runTest(FrmMain &main);

    FakeDesktop m_desktop;
};

FrmDisplay *TestAccessibility::runTest(FrmMain &main)
{
    auto *name = main.findChild<QLineEdit *>(QStringLiteral("txtName"));
    name->setText(QStringLiteral("ANN"));
    main.runTest();
    return ShellRun::resultWindow();
}

void TestAccessibility::mainWindow()
{
    FrmMain main(m_desktop);
    main.show();
    const QStringList problems = problemsIn(&main, {}, kBanners);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void TestAccessibility::mainWindowSaysWhatEachInputIs_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("saysWhat");
    // Qt on Linux names a list by its current entry, so the description
    // carries what the list is; elsewhere the name carries it.
    QTest::newRow("name box") << QStringLiteral("txtName") << QStringLiteral("Your name");
    QTest::newRow("your day") << QStringLiteral("cboDate") << QStringLiteral("Your day of birth");
    QTest::newRow("your month") << QStringLiteral("cboMonth") << QStringLiteral("Your month of birth");
    QTest::newRow("your year") << QStringLiteral("cboYear") << QStringLiteral("Your year of birth");
    QTest::newRow("sibling's day") << QStringLiteral("cboSiblingDate")
                                   << QStringLiteral("Sibling's day of birth");
    QTest::newRow("sibling's month") << QStringLiteral("cboSiblingMonth")
                                     << QStringLiteral("Sibling's month of birth");
    QTest::newRow("sibling's year") << QStringLiteral("cboSiblingYear")
                                    << QStringLiteral("Sibling's year of birth");
}

void TestAccessibility::mainWindowSaysWhatEachInputIs()
{
    QFETCH(QString, objectName);
    QFETCH(QString, saysWhat);
    FrmMain main(m_desktop);
    const QString heard = accessibleText(&main, objectName, QAccessible::Name) + u'|'
                          + accessibleText(&main, objectName, QAccessible::Description);
    QVERIFY2(heard.contains(saysWhat), qPrintable(heard));
}

void TestAccessibility::resultWindow()
{
    ShellRun run;
    FrmMain *main = run.shell.showMainWindow();
    FrmDisplay *result = runTest(*main);
    QVERIFY(result);
    const QStringList problems = problemsIn(
        result,
        {QStringLiteral("lblYourSunSign"), QStringLiteral("lblYourSiblingSunSign"),
         QStringLiteral("lblCompatibilityResult"), QStringLiteral("lblSiblingCompatibility")},
        kBanners);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    QVERIFY(accessibleText(result, QStringLiteral("txtYourProfile"), QAccessible::Name)
                .contains(QStringLiteral("Your profile")));
    QVERIFY(accessibleText(result, QStringLiteral("txtYourSiblingProfile"), QAccessible::Name)
                .contains(QStringLiteral("sibling's profile"), Qt::CaseInsensitive));
}

void TestAccessibility::resultWindowValuesFollowTheRun()
{
    ShellRun run;
    FrmMain *main = run.shell.showMainWindow();
    // 1 January for both: Capricorn, then 23 July for the user: Leo.
    FrmDisplay *first = runTest(*main);
    QCOMPARE(accessibleText(first, QStringLiteral("lblYourSunSign"), QAccessible::Name),
             QStringLiteral("Capricorn"));
    first->back();
    findControl<QComboBox>(main, "cboMonth")->setCurrentIndex(6);
    findControl<QComboBox>(main, "cboDate")->setCurrentIndex(22);
    FrmDisplay *second = runTest(*main);
    QVERIFY(second);
    QCOMPARE(accessibleText(second, QStringLiteral("lblYourSunSign"), QAccessible::Name),
             QStringLiteral("Leo"));
    QCOMPARE(accessibleText(second, QStringLiteral("lblYourSiblingSunSign"), QAccessible::Name),
             QStringLiteral("Capricorn"));
}

void TestAccessibility::aboutBox()
{
    QStringList problems;
    bool opened = false;
    m_desktop.onModal = [&](QDialog &dialog) {
        opened = true;
        dialog.show();
        problems = problemsIn(&dialog, {}, {QStringLiteral("lblHomePage"), QStringLiteral("Label5")});
        return int(QDialog::Accepted);
    };
    aboutbox::openAboutBox(m_desktop);
    m_desktop.onModal = nullptr;
    QVERIFY(opened);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void TestAccessibility::exitScreen()
{
    exitscreen::FrmNagScreen2 screen(m_desktop);
    screen.show();
    const QStringList problems = problemsIn(&screen, {}, {QStringLiteral("lblGoToHome")});
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
