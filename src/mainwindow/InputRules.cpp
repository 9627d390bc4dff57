#include "mainwindow/InputRules.h"

namespace mainwindow {

namespace {

QStringList numberEntries(int first, int last)
{
    QStringList entries;
    for (int n = first; n <= last; ++n)
        entries << QString::number(n);
    return entries;
}

bool isThirtyDayMonth(int monthPosition)
{
    return monthPosition == 3 || monthPosition == 5 || monthPosition == 8 || monthPosition == 10;
}

} // namespace

QStringList dayEntries()
{
    return numberEntries(1, 31);
}

QStringList monthEntries()
{
    return {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
            QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
            QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
            QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
}

QStringList yearEntries()
{
    return numberEntries(1900, 2050);
}

int filterNameKey(int k)
{
    if (k >= 'A' && k <= 'Z')
        return k;
    if (k >= 'a' && k <= 'z')
        return k - 32;
    if (k == 8 || k == 13 || k == 32)
        return k;
    return 0;
}

std::optional<int> typedCharacterCode(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    if (isAltCombination(modifiers))
        return std::nullopt;
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier)
        && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    if (text.isEmpty())
        return std::nullopt;
    // The filter works on 16-bit signed codes.
    return int(static_cast<qint16>(text.at(0).unicode()));
}

std::optional<QString> filterCommittedText(const QString &text)
{
    QString accepted;
    accepted.reserve(text.size());
    for (QChar character : text) {
        const int code = int(static_cast<qint16>(character.unicode()));
        const int passed = filterNameKey(code);
        if (passed == 0 || passed == 8 || passed == 13)
            return std::nullopt;
        accepted.append(QChar(passed));
    }
    return accepted;
}

bool isAltCombination(Qt::KeyboardModifiers modifiers)
{
    return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier);
}

std::optional<QString> inputCheckFailure(const InputPositions &inputs)
{
    // A name of blanks is a name: only the empty text fails.
    if (inputs.name.isEmpty())
        return QStringLiteral("Please Enter Your Name");
    if (inputs.month == 1 && (inputs.day == 29 || inputs.day == 30))
        return QStringLiteral("Please Enter Your Correct Date of Birth!");
    if (isThirtyDayMonth(inputs.month) && inputs.day == 30)
        return QStringLiteral("Please Enter Correct Date of Birth !");
    if (inputs.siblingMonth == 1 && (inputs.siblingDay == 29 || inputs.siblingDay == 30))
        return QStringLiteral("Please Enter Correct Date of Birth Of Your Sibling!");
    if (isThirtyDayMonth(inputs.siblingMonth) && inputs.siblingDay == 30)
        return QStringLiteral("Please Enter Correct Date of Birth Of Your Sibling!");
    return std::nullopt;
}

} // namespace mainwindow
