#pragma once

// The input rules of the main window that need no widget: what the six lists
// offer, the key filter of the name box and the input check run before every
// test. The window only reads its controls and hands the values in here.

#include <QString>
#include <QStringList>
#include <Qt>

#include <optional>

namespace mainwindow {

QStringList dayEntries();    // "1" .. "31"
QStringList monthEntries();  // "January" .. "December"
QStringList yearEntries();   // "1900" .. "2050"

// One typed character code k of the name box: a letter comes back as its
// capital, 8, 13 and 32 come back unchanged, anything else comes back as 0
// (refused: the window tells the user and drops the character).
int filterNameKey(int k);

// The character code a key press types, as the name box's filter sees it,
// or nothing for keys that type no character (arrows, Delete, Home, End, Tab,
// Enter, Esc and Alt combinations). Ctrl with a letter types its control
// code: Ctrl+C is 3, Ctrl+V 22, Ctrl+X 24; Ctrl with any other key types
// what the key press carries (Ctrl+Backspace is 127 on Windows).
std::optional<int> typedCharacterCode(int key, Qt::KeyboardModifiers modifiers, const QString &text);

// Text that reaches the name box in one piece rather than key by key (an
// input method's or a compose sequence's commit): the text with its letters
// made capitals when every character would pass the key filter as a
// character (a letter or the blank), otherwise nothing (refused as a whole,
// with the filter's one message). Backspace and carriage return act as keys
// and are not characters to put into a name.
std::optional<QString> filterCommittedText(const QString &text);

// Alt without Ctrl: an access key of a menu or button, which types nothing.
// (Ctrl+Alt is AltGr on some keyboards and types the character it shows.)
bool isAltCombination(Qt::KeyboardModifiers modifiers);

inline const QString kOnlyLettersMessage = QStringLiteral("Please Enter Only Letters !");

// What the input check looks at: the name and the chosen 0-based positions
// of the four date lists. The year lists play no part.
struct InputPositions {
    QString name;
    int day = 0;
    int month = 0;
    int siblingDay = 0;
    int siblingMonth = 0;
};

// The message of the first check that fails, or nothing when all pass.
// An empty name is the only failure that sends the focus to the name box.
std::optional<QString> inputCheckFailure(const InputPositions &inputs);

} // namespace mainwindow
