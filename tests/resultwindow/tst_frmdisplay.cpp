// The result window on its own: layout, values, Back and the closing
// commands, the keyboard, and the profile boxes' clipboard guard.

#include "Windows.h"

#include "platform/QtDesktop.h"
#include "resultwindow/FrmDisplay.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

class TestFrmDisplay : public QObject, public WindowFixture<FrmDisplay>
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sizedLabelsLayout_data();
    void sizedLabelsLayout();

    void fillWritesValuesExactly();
    void missingProfileLeavesBox();
    void sizedLabelsStayCentred_data();
    void sizedLabelsStayCentred();
    void profileBoxes();

    void focusStartsOnBack();
    void focusOrder();
    void backAndClosing_data();
    void backAndClosing();

    void clipboardOnTextChange();
    void clipboardOnMouse_data();
    void clipboardOnMouse();
    void clipboardUntouchedByKeys();
    void realClipboard_data();
    void realClipboard();

private:
    QPoint inWindow(const QWidget *widget, QPoint point) const;
};

void TestFrmDisplay::initTestCase()
{
    prepareFonts();
}

void TestFrmDisplay::init()
{
    buildWindow();
}

void TestFrmDisplay::cleanup()
{
    discardWindows();
}

QPoint TestFrmDisplay::inWindow(const QWidget *widget, QPoint point) const
{
    return widget->mapTo(m_window.data(), point);
}

// The headings and value labels are sized to their text: each keeps the top
// of its design rectangle and that rectangle's centre line, and is exactly
// as wide and high as its one line of text in the typeface it is given.
void TestFrmDisplay::sizedLabelsLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("value");   // written by a run; empty for headings
    const auto row = [](const char *name, const char *container, int x, int y, int w, int h,
                        const QString &value = QString()) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container) << QRect(x, y, w, h)
                            << value;
    };
    row("Label2", "fraSiblingResult", 188, 16, 201, 13);
    row("lblSiblingCompatibility", "fraSiblingResult", 215, 40, 146, 13, QStringLiteral("You Get Along OK"));
    row("s", "Frame3", 243, 16, 90, 13);
    row("lblYourSunSign", "Frame3", 237, 35, 103, 14, QStringLiteral("Sagittarius"));
    row("Label9", "Frame3", 249, 56, 78, 13);
    row("Label3", "Frame1", 213, 16, 150, 13);
    row("lblYourSiblingSunSign", "Frame1", 237, 35, 103, 14, QStringLiteral("Leo"));
    row("Label5", "Frame1", 220, 56, 136, 13);
}

void TestFrmDisplay::sizedLabelsLayout()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, rect);
    QFETCH(QString, value);
    if (!value.isEmpty())
        m_window->fill({value, std::nullopt, value, std::nullopt, value, value});
    const QLabel *label = control<QLabel>(name.toLatin1().constData());
    QCOMPARE(label->parentWidget()->objectName(), container);
    QCOMPARE(label->y(), rect.y());
    QVERIFY2(qAbs(2 * label->x() + label->width() - (2 * rect.x() + rect.width())) <= 2,
             qPrintable(QStringLiteral("centre %1, design %2").arg(label->x() + label->width() / 2.0)
                            .arg(rect.x() + rect.width() / 2.0)));
    QVERIFY(!label->wordWrap());
    QCOMPARE(label->size(), label->sizeHint());
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
}

void TestFrmDisplay::fillWritesValuesExactly()
{
    const QString profile = QStringLiteral("First line.\nSecond line ends in blanks.  ");
    m_window->fill({QStringLiteral("Leo"), profile, QStringLiteral("Pisces"), QStringLiteral("Other. "),
                    QStringLiteral("A pair sentence that is long enough to wrap across the box."),
                    QStringLiteral("You Get Along OK")});
    QCOMPARE(control<QLabel>("lblYourSunSign")->text(), QStringLiteral("Leo"));
    QCOMPARE(control<QPlainTextEdit>("txtYourProfile")->toPlainText(), profile);
    QCOMPARE(control<QLabel>("lblYourSiblingSunSign")->text(), QStringLiteral("Pisces"));
    QCOMPARE(control<QPlainTextEdit>("txtYourSiblingProfile")->toPlainText(), QStringLiteral("Other. "));
    QCOMPARE(control<QLabel>("lblCompatibilityResult")->text(),
             QStringLiteral("A pair sentence that is long enough to wrap across the box."));
    QCOMPARE(control<QLabel>("lblSiblingCompatibility")->text(), QStringLiteral("You Get Along OK"));
    QVERIFY(control<QLabel>("lblCompatibilityResult")->wordWrap());
    // Centred across its fixed box, from the top down, like the welcome text.
    QCOMPARE(control<QLabel>("lblCompatibilityResult")->alignment(), Qt::AlignHCenter | Qt::AlignTop);
}

void TestFrmDisplay::missingProfileLeavesBox()
{
    m_window->fill({QStringLiteral("Leo"), QStringLiteral("Old user."), QStringLiteral("Leo"),
                    QStringLiteral("Old sibling."), QString(), QString()});
    m_window->fill({QString(), std::nullopt, QStringLiteral("Aries"), std::nullopt, QString(), QString()});
    QCOMPARE(control<QPlainTextEdit>("txtYourProfile")->toPlainText(), QStringLiteral("Old user."));
    QCOMPARE(control<QPlainTextEdit>("txtYourSiblingProfile")->toPlainText(), QStringLiteral("Old sibling."));
    QCOMPARE(control<QLabel>("lblYourSunSign")->text(), QString());
    QCOMPARE(control<QLabel>("lblYourSiblingSunSign")->text(), QStringLiteral("Aries"));
}

void TestFrmDisplay::sizedLabelsStayCentred_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("top");

    QTest::newRow("short sign") << "lblYourSunSign" << "Leo" << 35;
    QTest::newRow("long sign") << "lblYourSiblingSunSign" << "Sagittarius" << 35;
    QTest::newRow("long level sentence") << "lblSiblingCompatibility" << "You Both Do Not Get Along At all" << 40;
    QTest::newRow("short level sentence") << "lblSiblingCompatibility" << "You Get Along OK" << 40;
}

void TestFrmDisplay::sizedLabelsStayCentred()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, top);
    m_window->fill({text, std::nullopt, text, std::nullopt, text, text});
    const QLabel *label = control<QLabel>(name.toLatin1().constData());
    QCOMPARE(label->text(), text);
    QCOMPARE(label->y(), top);
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(text));
    QVERIFY(label->width() <= label->fontMetrics().horizontalAdvance(text) + 8);
    const int frameCentre = label->parentWidget()->width() / 2;
    QVERIFY2(qAbs(label->geometry().center().x() - frameCentre) <= 1,
             qPrintable(QString::number(label->geometry().center().x())));
}

void TestFrmDisplay::profileBoxes()
{
    for (const char *name : {"txtYourProfile", "txtYourSiblingProfile"}) {
        const QPlainTextEdit *box = control<QPlainTextEdit>(name);
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QVERIFY(box->textInteractionFlags() & Qt::TextSelectableByMouse);
        QVERIFY(!(box->textInteractionFlags() & Qt::TextEditable));
    }
}

void TestFrmDisplay::focusStartsOnBack()
{
    showActive();
    QCOMPARE(QApplication::focusWidget(), control<QWidget>("cmdBack"));
}

void TestFrmDisplay::focusOrder()
{
    showActive();
    for (const char *next : {"cmdExit", "txtYourProfile", "txtYourSiblingProfile", "cmdBack"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
    }
}

void TestFrmDisplay::backAndClosing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("goesBack");

    QTest::newRow("Back button") << "cmdBack" << true;
    QTest::newRow("File, Back") << "mnuFileBack" << true;
    QTest::newRow("Back access key") << "Alt+B" << true;
    QTest::newRow("Exit button") << "cmdExit" << false;
    QTest::newRow("File, Exit") << "mnuExit" << false;
    QTest::newRow("Exit access key") << "Alt+E" << false;
    QTest::newRow("close box") << "close" << false;
}

void TestFrmDisplay::backAndClosing()
{
    QFETCH(QString, command);
    QFETCH(bool, goesBack);
    showActive();
    QSignalSpy closed(m_window.data(), &FrmDisplay::closedByUser);
    QSignalSpy back(m_window.data(), &FrmDisplay::backRequested);

    if (command.startsWith(u'c') && command != QLatin1String("close"))
        QTest::mouseClick(control<QPushButton>(command.toLatin1().constData()), Qt::LeftButton);
    else if (command.startsWith(u'm'))
        control<QAction>(command.toLatin1().constData())->trigger();
    else if (command == QLatin1String("close"))
        m_window->close();
    else
        QTest::keyClick(m_window.data(), command == QLatin1String("Alt+B") ? Qt::Key_B : Qt::Key_E,
                        Qt::AltModifier);

    QTRY_COMPARE(closed.count() + back.count(), 1);
    QCOMPARE(back.count(), goesBack ? 1 : 0);
    QVERIFY(!m_window || !m_window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window);
    QVERIFY(m_desktop.events.isEmpty());
}

void TestFrmDisplay::clipboardOnTextChange()
{
    m_window->fill({QStringLiteral("Leo"), QStringLiteral("One."), QStringLiteral("Leo"), std::nullopt,
                    QString(), QString()});
    QCOMPARE(m_desktop.clipboardClears, 1);
    m_window->fill({QStringLiteral("Leo"), QStringLiteral("Two."), QStringLiteral("Leo"), QStringLiteral("Three."),
                    QString(), QString()});
    QCOMPARE(m_desktop.clipboardClears, 3);
    QCOMPARE(m_desktop.events, QStringList(3, QStringLiteral("clipboard")));
}

void TestFrmDisplay::clipboardOnMouse_data()
{
    QTest::addColumn<QString>("over");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<int>("clears");

    QTest::newRow("move over user profile") << "txtYourProfile" << "move" << 1;
    QTest::newRow("move over sibling profile") << "txtYourSiblingProfile" << "move" << 1;
    QTest::newRow("press") << "txtYourProfile" << "press" << 1;
    QTest::newRow("press and release: a click") << "txtYourSiblingProfile" << "click" << 2;
    QTest::newRow("middle button press and release: no click") << "txtYourProfile" << "middle click" << 2;
    QTest::newRow("move over a sign label") << "lblYourSunSign" << "move" << 0;
    QTest::newRow("move over a heading") << "Label9" << "move" << 0;
    QTest::newRow("move over a frame") << "Frame1" << "move" << 0;
    QTest::newRow("move over Back") << "cmdBack" << "move" << 0;
    QTest::newRow("click on Exit's strip") << "Frame5" << "click" << 0;
    QTest::newRow("move over the pair sentence") << "lblCompatibilityResult" << "move" << 0;
}

void TestFrmDisplay::clipboardOnMouse()
{
    QFETCH(QString, over);
    QFETCH(QString, gesture);
    QFETCH(int, clears);
    showActive();
    QWidget *target = control<QWidget>(over.toLatin1().constData());
    if (auto *box = qobject_cast<QPlainTextEdit *>(target))
        target = box->viewport();
    // Frames are aimed at a spot of their own, clear of the controls they hold.
    const QPoint spot = qobject_cast<QGroupBox *>(target) ? QPoint(4, target->height() - 4)
                                                         : target->rect().center();
    QCOMPARE(m_window->childAt(inWindow(target, spot)), target);
    QWindow *window = m_window->windowHandle();
    const QPoint at = inWindow(target, spot);
    const bool move = gesture == QLatin1String("move");
    // The pointer is brought to the spot first (a press elsewhere would
    // include a movement); a movement starts just beside it.
    QTest::mouseMove(window, move ? at - QPoint(0, 1) : at);
    m_desktop.clipboardClears = 0;

    if (move) {
        QTest::mouseMove(window, at);
    } else if (gesture == QLatin1String("press")) {
        QTest::mousePress(window, Qt::LeftButton, {}, at);
    } else {
        const Qt::MouseButton button = gesture == QLatin1String("click") ? Qt::LeftButton : Qt::MiddleButton;
        QTest::mousePress(window, button, {}, at);
        QTest::mouseRelease(window, button, {}, at);
    }
    QCOMPARE(m_desktop.clipboardClears, clears);
    if (gesture == QLatin1String("press"))
        QTest::mouseRelease(window, Qt::LeftButton, {}, at);
}

void TestFrmDisplay::clipboardUntouchedByKeys()
{
    showActive();
    auto *box = control<QPlainTextEdit>("txtYourProfile");
    m_window->fill({QStringLiteral("Leo"), QStringLiteral("Fixed text."), QStringLiteral("Leo"), std::nullopt,
                    QString(), QString()});
    box->setFocus();
    m_desktop.clipboardClears = 0;
    QTest::keyClicks(box, QStringLiteral("typed"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box->toPlainText(), QStringLiteral("Fixed text."));
    QCOMPARE(m_desktop.clipboardClears, 0);
}

void TestFrmDisplay::realClipboard_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("emptied");

    QTest::newRow("new result") << "fill" << true;
    QTest::newRow("click on a profile") << "click" << true;
    QTest::newRow("keys in a profile") << "keys" << false;
}

void TestFrmDisplay::realClipboard()
{
    QFETCH(QString, gesture);
    QFETCH(bool, emptied);
    // The system clipboard through the real desktop, not a count on the fake.
    platform::QtDesktop desktop;
    FrmDisplay window(desktop);
    ::showActive(&window);
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QString copied = QStringLiteral("copied out of a profile");
    clipboard->setText(copied);
    QCOMPARE(clipboard->text(), copied);

    auto *box = findControl<QPlainTextEdit>(&window, "txtYourProfile");
    if (gesture == QLatin1String("fill")) {
        window.fill({QStringLiteral("Leo"), QStringLiteral("One."), QStringLiteral("Leo"), std::nullopt,
                     QString(), QString()});
    } else if (gesture == QLatin1String("click")) {
        const QPoint at = box->viewport()->mapTo(&window, box->viewport()->rect().center());
        QTest::mouseMove(window.windowHandle(), at);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at);
    } else {
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("typed"));
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    }
    if (emptied) {
        QCOMPARE(clipboard->text(), QString());
        QVERIFY(!clipboard->mimeData() || clipboard->mimeData()->formats().isEmpty());
    } else {
        QCOMPARE(clipboard->text(), copied);
    }
}

QTEST_MAIN(TestFrmDisplay)
#include "tst_frmdisplay.moc"
