// The main window's input rules without a window: list contents, the name
// box's key filter (on chosen codes and on every 16-bit code). The input
// check is tested through the window (tst_frmmain).

#include "mainwindow/InputRules.h"

#include <QTest>

#include <limits>

using namespace mainwindow;

class TestInputRules : public QObject
{
    Q_OBJECT

private slots:
    void listEntries_data();
    void listEntries();
    void monthsInCalendarOrder();
    void nameKeyFilter_data();
    void nameKeyFilter();
    void nameKeyFilterOnEveryCode_data();
    void nameKeyFilterOnEveryCode();
    void typedCode_data();
    void typedCode();
    void committedText_data();
    void committedText();
};

void TestInputRules::listEntries_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");

    QTest::newRow("first day") << dayEntries() << 31 << 0 << "1";
    QTest::newRow("day 9 has no leading zero") << dayEntries() << 31 << 8 << "9";
    QTest::newRow("day 10") << dayEntries() << 31 << 9 << "10";
    QTest::newRow("last day") << dayEntries() << 31 << 30 << "31";
    QTest::newRow("first year") << yearEntries() << 151 << 0 << "1900";
    QTest::newRow("year 2000") << yearEntries() << 151 << 100 << "2000";
    QTest::newRow("last year") << yearEntries() << 151 << 150 << "2050";
}

void TestInputRules::listEntries()
{
    QFETCH(QStringList, entries);
    QFETCH(int, count);
    QFETCH(int, position);
    QFETCH(QString, text);
    QCOMPARE(entries.size(), count);
    QCOMPARE(entries.at(position), text);
}

void TestInputRules::monthsInCalendarOrder()
{
    const QStringList expected = {QStringLiteral("January"), QStringLiteral("February"),
                                  QStringLiteral("March"),   QStringLiteral("April"),
                                  QStringLiteral("May"),     QStringLiteral("June"),
                                  QStringLiteral("July"),    QStringLiteral("August"),
                                  QStringLiteral("September"), QStringLiteral("October"),
                                  QStringLiteral("November"), QStringLiteral("December")};
    QCOMPARE(monthEntries(), expected);
}

void TestInputRules::nameKeyFilter_data()
{
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("accepted");

    QTest::newRow("capital A") << int('A') << int('A');
    QTest::newRow("capital Z") << int('Z') << int('Z');
    QTest::newRow("small a to capital") << int('a') << int('A');
    QTest::newRow("small z to capital") << int('z') << int('Z');
    QTest::newRow("small m to capital") << int('m') << int('M');
    QTest::newRow("backspace") << 8 << 8;
    QTest::newRow("carriage return") << 13 << 13;
    QTest::newRow("blank") << 32 << 32;
    QTest::newRow("at sign below A") << int('@') << 0;
    QTest::newRow("left bracket 91") << 91 << 0;
    QTest::newRow("backslash 92") << 92 << 0;
    QTest::newRow("right bracket 93") << 93 << 0;
    QTest::newRow("caret 94") << 94 << 0;
    QTest::newRow("underscore 95") << 95 << 0;
    QTest::newRow("grave accent 96") << 96 << 0;
    QTest::newRow("left brace above z") << int('{') << 0;
    QTest::newRow("digit 0") << int('0') << 0;
    QTest::newRow("digit 9") << int('9') << 0;
    QTest::newRow("hyphen") << int('-') << 0;
    QTest::newRow("apostrophe") << int('\'') << 0;
    QTest::newRow("Ctrl+C") << 3 << 0;
    QTest::newRow("Ctrl+V") << 22 << 0;
    QTest::newRow("Ctrl+X") << 24 << 0;
    QTest::newRow("tab") << 9 << 0;
    QTest::newRow("line feed") << 10 << 0;
    QTest::newRow("escape") << 27 << 0;
    QTest::newRow("delete") << 127 << 0;
    QTest::newRow("e acute") << 0xE9 << 0;
    QTest::newRow("capital A with ring") << 0xC5 << 0;
    QTest::newRow("negative code") << -1 << 0;
    QTest::newRow("zero") << 0 << 0;
}

void TestInputRules::nameKeyFilter()
{
    QFETCH(int, typed);
    QFETCH(int, accepted);
    QCOMPARE(filterNameKey(typed), accepted);
}

void TestInputRules::nameKeyFilterOnEveryCode_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("negative codes") << int(std::numeric_limits<qint16>::min()) << -1;
    QTest::newRow("control codes") << 0 << 31;
    QTest::newRow("printable ASCII") << 32 << 126;
    QTest::newRow("delete and Latin-1") << 127 << 255;
    QTest::newRow("the rest up to 32767") << 256 << int(std::numeric_limits<qint16>::max());
}

// Every code against the one list of what passes: the capitals as they
// are, the small letters as the capital at the same place, backspace,
// carriage return and the blank unchanged; anything else is refused.
void TestInputRules::nameKeyFilterOnEveryCode()
{
    QFETCH(int, from);
    QFETCH(int, to);
    const QString capitals = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const QString smalls = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    const QString keys = QStringLiteral("\b\r ");
    for (int k = from; k <= to; ++k) {
        const QChar c = k >= 0 && k <= 0xFFFF ? QChar(char16_t(k)) : QChar();
        int expected = 0;
        if (capitals.contains(c) || keys.contains(c))
            expected = k;
        else if (smalls.contains(c))
            expected = capitals.at(smalls.indexOf(c)).unicode();
        if (filterNameKey(k) != expected)
            QFAIL(qPrintable(QStringLiteral("code %1: %2, not %3").arg(k).arg(filterNameKey(k)).arg(expected)));
    }
}

void TestInputRules::typedCode_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");   // -1000: the key types no character

    const Qt::KeyboardModifiers none;
    const int noCharacter = -1000;
    QTest::newRow("small letter") << int(Qt::Key_A) << none << "a" << int('a');
    QTest::newRow("shifted letter") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "A" << int('A');
    QTest::newRow("blank") << int(Qt::Key_Space) << none << " " << 32;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
    QTest::newRow("hyphen") << int(Qt::Key_Minus) << none << "-" << int('-');
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << Qt::KeyboardModifiers(Qt::ControlModifier) << "c" << 3;
    QTest::newRow("Ctrl+V without text") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << "" << 22;
    QTest::newRow("Ctrl+X as control code") << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::ControlModifier) << "\x18" << 24;
    QTest::newRow("Ctrl+Shift+C") << int(Qt::Key_C) << (Qt::ControlModifier | Qt::ShiftModifier) << "C" << 3;
    QTest::newRow("Ctrl+Left") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::ControlModifier) << "" << noCharacter;
    // Ctrl with a key other than a letter: the character the press carries.
    QTest::newRow("Ctrl+1 with text") << int(Qt::Key_1) << Qt::KeyboardModifiers(Qt::ControlModifier) << "1" << int('1');
    QTest::newRow("Ctrl+1 without text") << int(Qt::Key_1) << Qt::KeyboardModifiers(Qt::ControlModifier) << "" << noCharacter;
    QTest::newRow("Ctrl+Backspace, Windows") << int(Qt::Key_Backspace) << Qt::KeyboardModifiers(Qt::ControlModifier) << "\x7f" << 127;
    QTest::newRow("Ctrl+Backspace, X11") << int(Qt::Key_Backspace) << Qt::KeyboardModifiers(Qt::ControlModifier) << "\b" << 8;
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers(Qt::ControlModifier) << " " << 32;
    QTest::newRow("Ctrl+[ as escape") << int(Qt::Key_BracketLeft) << Qt::KeyboardModifiers(Qt::ControlModifier) << "\x1b" << 27;
    QTest::newRow("AltGr at sign") << int(Qt::Key_At) << (Qt::ControlModifier | Qt::AltModifier) << "@" << int('@');
    QTest::newRow("Alt+E") << int(Qt::Key_E) << Qt::KeyboardModifiers(Qt::AltModifier) << "e" << noCharacter;
    QTest::newRow("left arrow") << int(Qt::Key_Left) << none << "" << noCharacter;
    QTest::newRow("home") << int(Qt::Key_Home) << none << "" << noCharacter;
    QTest::newRow("delete") << int(Qt::Key_Delete) << none << "\x7f" << noCharacter;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << noCharacter;
    QTest::newRow("return") << int(Qt::Key_Return) << none << "\r" << noCharacter;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << "\r" << noCharacter;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << noCharacter;
    QTest::newRow("e acute") << int(Qt::Key_Eacute) << none << QString(QChar(0xE9)) << 0xE9;
    QTest::newRow("above 32767 is negative") << 0 << none << QString(QChar(0xFFFF)) << -1;
}

void TestInputRules::typedCode()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);
    const std::optional<int> typed = typedCharacterCode(key, modifiers, text);
    QCOMPARE(typed.value_or(-1000), code);
}

void TestInputRules::committedText_data()
{
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("accepted");   // "-": refused as a whole

    const QString refused = QStringLiteral("-");
    QTest::newRow("capitals") << "ANN" << "ANN";
    QTest::newRow("small letters made capitals") << "ann lee" << "ANN LEE";
    QTest::newRow("one blank") << " " << " ";
    QTest::newRow("nothing committed") << "" << "";
    QTest::newRow("composed e acute") << QString(QChar(0xE9)) << refused;
    QTest::newRow("letters and a composed letter") << QStringLiteral("Ren") + QChar(0xE9) << refused;
    QTest::newRow("hyphen inside") << "Ann-Lee" << refused;
    QTest::newRow("digit") << "R2" << refused;
    QTest::newRow("grave accent 96") << "a`" << refused;
    QTest::newRow("backspace character") << "a\b" << refused;
    QTest::newRow("carriage return character") << "a\r" << refused;
    QTest::newRow("Chinese") << QString::fromUtf8("\xe6\x9d\x8e") << refused;
    QTest::newRow("surrogate pair") << QString::fromUtf8("\xf0\x9f\x98\x80") << refused;
}

void TestInputRules::committedText()
{
    QFETCH(QString, committed);
    QFETCH(QString, accepted);
    const std::optional<QString> passed = filterCommittedText(committed);
    QCOMPARE(passed.value_or(QStringLiteral("-")), accepted);
}

QTEST_APPLESS_MAIN(TestInputRules)
#include "tst_inputrules.moc"
