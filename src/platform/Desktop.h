#pragma once

// The one seam between the program and the desktop it runs on. Windows and
// start-up reach message boxes, the browser, the settings store, the
// clipboard, the instance lock, the date and the random draws only through
// this interface; QtDesktop is the real one, tests hand in a recording fake.
// Any call may throw where the desktop fails it (Qt's own calls throw only
// when memory runs out); the start-up runs each of its steps on its own so
// that one failing step skips only itself.

#include <QDate>
#include <QString>

class QDialog;

namespace platform {

enum class Icon { Information, Critical };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

class Desktop
{
public:
    virtual ~Desktop() = default;

    // A modal message box titled "Quenlory"; returns the button pressed.
    virtual Answer message(const QString &text, Icon icon, Buttons buttons = Buttons::Ok) = 0;
    // Runs a dialog modally and returns its result code.
    virtual int execModal(QDialog &dialog) = 0;

    // Hands an address to the default browser; never waits, reports nothing.
    virtual void openUrl(const QString &address) = 0;
    // Empties the system clipboard; a failure is ignored.
    virtual void clearClipboard() = 0;

    // The per-user settings store of this program: empty text when missing;
    // false when the value is not in the store after the write. An
    // unwritable store is left exactly as it is.
    virtual QString readSetting(const QString &section, const QString &key) = 0;
    virtual bool writeSetting(const QString &section, const QString &key, const QString &value) = 0;
    // Whether a write could be stored, found without changing the store.
    virtual bool canWriteSettings() = 0;

    // True for the first running copy for this user, false when another runs.
    virtual bool claimSingleInstance() = 0;

    virtual QDate today() = 0;
    virtual void seedRandom() = 0;
    // A draw r with 0 <= r < 1.
    virtual double random() = 0;
};

} // namespace platform
