// The name box's key filter on every 16-bit character code, and a random
// sample of codes typed into the real name box: letters arrive as capitals,
// backspace, carriage return and blank pass, everything else is refused with
// exactly one message and leaves the box as it was.

#include "mainwindow/FrmMain.h"
#include "mainwindow/InputRules.h"

#include "FakeDesktop.h"
#include "TestSeed.h"

#include <QLineEdit>
#include <QtTest>

#include <limits>

using mainwindow::FrmMain;

namespace {

const QString kOnlyLetters = QStringLiteral("Please Enter Only Letters !");

// What the filter must answer, worked out from the characters themselves.
int expectedKey(int k)
{
    if (k >= 'A' && k <= 'Z')
        return k;
    if (k >= 'a' && k <= 'z')
        return k - ('a' - 'A');
    if (k == '\b' || k == '\r' || k == ' ')
        return k;
    return 0;
}

} // namespace

class TestNameFilterSweep : public QObject
{
    Q_OBJECT

private slots:
    void everySixteenBitCode();
    void randomCodesThroughTheNameBox();
};

void TestNameFilterSweep::everySixteenBitCode()
{
    int letters = 0;
    int passed = 0;
    int refused = 0;
    for (int k = std::numeric_limits<qint16>::min(); k <= std::numeric_limits<qint16>::max(); ++k) {
        const int got = mainwindow::filterNameKey(k);
        const int want = expectedKey(k);
        if (got != want)
            QFAIL(QByteArray("code " + QByteArray::number(k) + ": got " + QByteArray::number(got)
                             + ", expected " + QByteArray::number(want))
                      .constData());
        if (want == 0)
            ++refused;
        else if (want == k && k != '\b' && k != '\r' && k != ' ')
            ++letters;
        else
            ++passed;
    }
    QCOMPARE(letters, 26);
    QCOMPARE(passed, 26 + 3);
    QCOMPARE(refused, 65536 - 26 - 26 - 3);
}

// Each code is typed as a key press carrying that character, in random order
// and mixed with backspaces, so the box and the message count can be
// followed step by step.
void TestNameFilterSweep::randomCodesThroughTheNameBox()
{
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    FakeDesktop desktop;
    FrmMain window(desktop);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("txtName"));
    QVERIFY(name);

    QString expectedText;
    int expectedMessages = 0;
    for (int round = 0; round < 3000; ++round) {
        char16_t code;
        switch (random.bounded(4)) {
        case 0:
            code = char16_t(random.bounded(128));
            break;
        case 1:
            code = char16_t('a' + random.bounded(26));
            break;
        default:
            code = char16_t(random.bounded(0x10000));
            break;
        }
        if (code == '\b') {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
            QCoreApplication::sendEvent(name, &press);
            expectedText.chop(1);
        } else {
            // No key code: the character alone is what the box is handed.
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(code)));
            QCoreApplication::sendEvent(name, &press);
            const int kept = expectedKey(static_cast<qint16>(code));
            if (kept == 0)
                ++expectedMessages;
            else if (kept != '\r')
                expectedText.append(QChar(char16_t(kept)));
        }
        const QByteArray why = "after code " + QByteArray::number(code) + " in round "
            + QByteArray::number(round) + seedNote(seed);
        QVERIFY2(name->text() == expectedText,
                 QByteArray(why + ": box holds \"" + name->text().toUtf8() + '"'));
        QVERIFY2(int(desktop.messages.size()) == expectedMessages, why);
    }
    for (const FakeDesktop::Message &message : desktop.messages) {
        QCOMPARE(message.text, kOnlyLetters);
        QCOMPARE(message.icon, platform::Icon::Information);
    }
    QVERIFY2(expectedMessages > 1000 && expectedText.size() > 100, seedNote(seed));
}

QTEST_MAIN(TestNameFilterSweep)
#include "tst_namefiltersweep.moc"
