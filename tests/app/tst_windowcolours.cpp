// What the four windows draw, read from their pixels: every control whose
// colour the windows state is sampled on its face, away from text and frame,
// with the program's style, so a gradient, a tint or a desktop colour drawn
// over a palette that is set right fails here. Opened lists are sampled as
// the user sees them: background, text and the chosen entry.

#include "Windows.h"

#include "aboutbox/FrmAbout.h"
#include "core/ChildProfiles.h"
#include "exitscreen/FrmNagScreen2.h"
#include "windowkit/Style.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOption>
#include <QTest>

#include <memory>

namespace {

const QColor kDarkBrown(94, 70, 47);
const QColor kKhaki(221, 228, 169);
const QColor kLightYellow(255, 255, 192);
const QColor kDarkGrey(0x40, 0x40, 0x40);
const int kTolerance = 3;

int distance(const QColor &a, const QColor &b)
{
    return qMax(qAbs(a.red() - b.red()), qMax(qAbs(a.green() - b.green()), qAbs(a.blue() - b.blue())));
}

QString rgb(const QColor &colour)
{
    return QStringLiteral("RGB(%1,%2,%3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

// Empty when every pixel of the area lies within the tolerance of the
// colour; otherwise the first one that does not, and the area's average.
QString areaFailure(const QImage &image, const QRect &area, const QColor &expected)
{
    if (area.isEmpty() || !image.rect().contains(area))
        return QStringLiteral("sample area outside the picture");
    qint64 sums[3] = {0, 0, 0};
    QString failure;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor drawn = image.pixelColor(x, y);
            sums[0] += drawn.red();
            sums[1] += drawn.green();
            sums[2] += drawn.blue();
            if (failure.isEmpty() && distance(drawn, expected) > kTolerance)
                failure = QStringLiteral("pixel (%1,%2) is %3, not %4").arg(x).arg(y).arg(rgb(drawn), rgb(expected));
        }
    }
    if (failure.isEmpty())
        return failure;
    const qint64 n = qint64(area.width()) * area.height();
    return failure + QStringLiteral("; the area averages %1")
                         .arg(rgb(QColor(int(sums[0] / n), int(sums[1] / n), int(sums[2] / n))));
}

int pixelsNear(const QImage &image, const QRect &area, const QColor &colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += distance(image.pixelColor(x, y), colour) <= 40 ? 1 : 0;
    return count;
}

// What of a control is sampled.
enum class Part {
    ButtonFace,     // left of the caption, inside frame and focus mark
    ListField,      // a closed list between its entry and its arrow
    BoxField,       // a text box right of its text
    CheckBox,       // inside the check box's square
    ScrollHandle,   // the handle of a box's vertical scroll bar
    OpenedList,     // an entry of the opened list right of its text
    OpenedChosen,   // the chosen entry of the opened list, right of its text
    OpenedText,     // the text of an entry of the opened list (enough pixels)
    OpenedChosenText,
};

} // namespace

Q_DECLARE_METATYPE(Part)

class TestWindowColours : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void drawnColours_data();
    void drawnColours();
    void yearListOpensBelowWithEightRows_data();
    void yearListOpensBelowWithEightRows();

private:
    QWidget *window(const QString &name) const;
    QImage openedList(QComboBox *list, QRect *entry, QRect *chosen);

    FakeDesktop m_desktop;
    std::unique_ptr<FrmMain> m_main;
    std::unique_ptr<FrmDisplay> m_result;
    std::unique_ptr<aboutbox::FrmAbout> m_about;
    std::unique_ptr<exitscreen::FrmNagScreen2> m_exit;
};

void TestWindowColours::initTestCase()
{
    QApplication::setStyle(new windowkit::ProgramStyle);
    windowkit::installFontSubstitutes();
    m_main = std::make_unique<FrmMain>(m_desktop);
    m_result = std::make_unique<FrmDisplay>(m_desktop);
    m_about = std::make_unique<aboutbox::FrmAbout>(m_desktop);
    m_exit = std::make_unique<exitscreen::FrmNagScreen2>(m_desktop);
    for (QWidget *shown : {static_cast<QWidget *>(m_main.get()), static_cast<QWidget *>(m_result.get()),
                           static_cast<QWidget *>(m_about.get()), static_cast<QWidget *>(m_exit.get())})
        shown->setAttribute(Qt::WA_DeleteOnClose, false);
    const auto cancer = core::ChildProfileFor("Cancer");
    QVERIFY(cancer);
    const QString profile = QString::fromUtf8(cancer->data(), qsizetype(cancer->size()));
    m_result->fill({QStringLiteral("Cancer"), profile, QStringLiteral("Cancer"), profile, QStringLiteral("x"),
                    QStringLiteral("You Get Along OK")});
    for (QWidget *shown : {static_cast<QWidget *>(m_main.get()), static_cast<QWidget *>(m_result.get()),
                           static_cast<QWidget *>(m_about.get()), static_cast<QWidget *>(m_exit.get())}) {
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
    }
}

void TestWindowColours::cleanupTestCase()
{
    m_exit.reset();
    m_about.reset();
    m_result.reset();
    m_main.reset();
}

QWidget *TestWindowColours::window(const QString &name) const
{
    if (name == QLatin1String("main"))
        return m_main.get();
    if (name == QLatin1String("result"))
        return m_result.get();
    if (name == QLatin1String("about"))
        return m_about.get();
    return m_exit.get();
}

// Opens the list with its current entry chosen and the one above it plain,
// and returns the list's picture with both entries' rectangles.
QImage TestWindowColours::openedList(QComboBox *list, QRect *entry, QRect *chosen)
{
    list->setCurrentIndex(qMax(1, list->currentIndex()));
    list->showPopup();
    QAbstractItemView *view = list->view();
    if (!QTest::qWaitFor([view] { return view->window()->isVisible(); }))
        return QImage();
    const QModelIndex current = view->currentIndex();
    *chosen = view->visualRect(current);
    *entry = view->visualRect(current.siblingAtRow(current.row() - 1));
    const QImage picture = view->viewport()->grab().toImage();
    list->hidePopup();
    return picture;
}

void TestWindowColours::drawnColours_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<Part>("part");
    QTest::addColumn<QColor>("expected");

    const auto row = [](const char *window, const char *control, Part part, const QColor &expected,
                        const char *what) {
        QTest::addRow("%s %s, %s", window, control, what)
            << QString::fromLatin1(window) << QString::fromLatin1(control) << part << expected;
    };
    row("main", "cmdCompatibilityWithSibling", Part::ButtonFace, kKhaki, "khaki face");
    row("main", "cmdExit", Part::ButtonFace, kKhaki, "khaki face, default button");
    for (const char *list : {"cboDate", "cboMonth", "cboYear", "cboSiblingDate", "cboSiblingMonth", "cboSiblingYear"})
        row("main", list, Part::ListField, kDarkBrown, "closed, dark brown");
    row("main", "txtName", Part::BoxField, kDarkBrown, "dark brown");
    for (const char *list : {"cboDate", "cboMonth", "cboYear", "cboSiblingYear"}) {
        row("main", list, Part::OpenedList, kDarkBrown, "opened, dark brown");
        row("main", list, Part::OpenedText, kLightYellow, "opened, light yellow text");
        row("main", list, Part::OpenedChosen, kLightYellow, "opened, chosen entry light yellow");
        row("main", list, Part::OpenedChosenText, kDarkBrown, "opened, chosen entry's text dark brown");
    }
    row("result", "cmdBack", Part::ButtonFace, kKhaki, "khaki face, focused");
    row("result", "cmdExit", Part::ButtonFace, kKhaki, "khaki face, default button");
    row("result", "txtYourProfile", Part::BoxField, kDarkGrey, "dark grey");
    row("result", "txtYourProfile", Part::ScrollHandle, kDarkGrey, "scroll bar handle");
    row("result", "txtYourSiblingProfile", Part::ScrollHandle, kDarkGrey, "scroll bar handle");
    row("about", "cmdOK", Part::ButtonFace, kKhaki, "khaki face");
    row("exit", "cmdSubmit", Part::ButtonFace, kKhaki, "khaki face");
    row("exit", "cmdClose", Part::ButtonFace, kKhaki, "khaki face");
    for (const char *box : {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail", "txtMessage"})
        row("exit", box, Part::BoxField, kDarkBrown, "dark brown");
    row("exit", "Check1", Part::CheckBox, kDarkBrown, "dark brown square");
}

void TestWindowColours::drawnColours()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(Part, part);
    QFETCH(QColor, expected);

    QWidget *widget = findControl<QWidget>(this->window(window), control.toLatin1().constData());
    QImage picture;
    QRect area;
    int textPixels = -1;
    switch (part) {
    case Part::ButtonFace:
        picture = widget->grab().toImage();
        area = QRect(5, 5, qMin(15, widget->width() / 5), widget->height() - 10);
        break;
    case Part::ListField: {
        auto *list = qobject_cast<QComboBox *>(widget);
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.subControls = QStyle::SC_All;
        const QRect arrow = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxArrow, list);
        picture = widget->grab().toImage();
        const int textEnd = 4 + list->fontMetrics().horizontalAdvance(list->currentText());
        area = QRect(QPoint(textEnd + 4, 4), QPoint(arrow.left() - 3, list->height() - 5));
        break;
    }
    case Part::BoxField: {
        // A text box's viewport, at its right end, clear of text and bars.
        QWidget *field = widget;
        if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
            field = area->viewport();
        picture = field->grab().toImage();
        area = QRect(field->width() - 14, field->height() / 2 - 3, 8, 6);
        if (qobject_cast<QLineEdit *>(widget))
            area = QRect(widget->width() - 20, 5, 14, widget->height() - 10);
        break;
    }
    case Part::CheckBox: {
        QStyleOptionButton option;
        option.initFrom(widget);
        picture = widget->grab().toImage();
        area = widget->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, widget).adjusted(3, 3, -3, -3);
        break;
    }
    case Part::ScrollHandle: {
        QScrollBar *bar = qobject_cast<QAbstractScrollArea *>(widget)->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.pageStep = bar->pageStep();
        option.sliderPosition = option.sliderValue = bar->value();
        option.subControls = QStyle::SC_All;
        picture = bar->grab().toImage();
        area = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar)
                   .adjusted(3, 3, -3, -3);
        break;
    }
    case Part::OpenedList:
    case Part::OpenedChosen:
    case Part::OpenedText:
    case Part::OpenedChosenText: {
        QRect entry;
        QRect chosen;
        picture = openedList(qobject_cast<QComboBox *>(widget), &entry, &chosen);
        QVERIFY(!picture.isNull());
        const QRect row = part == Part::OpenedList || part == Part::OpenedText ? entry : chosen;
        if (part == Part::OpenedText || part == Part::OpenedChosenText) {
            textPixels = pixelsNear(picture, row.adjusted(0, 0, -row.width() / 3, 0), expected);
        } else {
            area = QRect(row.right() - 12, row.top() + 2, 8, row.height() - 4);
        }
        break;
    }
    }
    if (textPixels >= 0) {
        QVERIFY2(textPixels >= 8, qPrintable(QStringLiteral("%1 pixels of text").arg(textPixels)));
        return;
    }
    const QString failure = areaFailure(picture, area, expected);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestWindowColours::yearListOpensBelowWithEightRows_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("current");

    QTest::newRow("year at 1900") << "cboYear" << 0;
    QTest::newRow("sibling's year at 2000") << "cboSiblingYear" << 100;
    QTest::newRow("sibling's year at 2050") << "cboSiblingYear" << 150;
    QTest::newRow("day at 31") << "cboDate" << 30;
}

void TestWindowColours::yearListOpensBelowWithEightRows()
{
    QFETCH(QString, list);
    QFETCH(int, current);

    auto *box = findControl<QComboBox>(m_main.get(), list.toLatin1().constData());
    box->setCurrentIndex(current);
    box->showPopup();
    QAbstractItemView *view = box->view();
    QWidget *popup = view->window();
    QTRY_VERIFY(popup->isVisible());
    const QRect boxRect(box->mapToGlobal(QPoint(0, 0)), box->size());
    const QRect popupRect = popup->geometry();
    int rows = 0;
    for (int row = 0; row < box->count(); ++row)
        rows += view->viewport()->rect().intersects(view->visualRect(box->model()->index(row, 0))) ? 1 : 0;
    const bool currentInView = view->viewport()->rect().contains(view->visualRect(view->currentIndex()));
    const bool scrollBar = view->verticalScrollBar()->isVisible();
    box->hidePopup();

    QVERIFY2(popupRect.top() >= boxRect.bottom() && popupRect.top() <= boxRect.bottom() + 1,
             qPrintable(QStringLiteral("list at %1, box ends at %2").arg(popupRect.top()).arg(boxRect.bottom())));
    QVERIFY(box->screen()->geometry().contains(popupRect));
    QCOMPARE(rows, 8);
    QVERIFY(scrollBar);
    QVERIFY(currentInView);
    QCOMPARE(view->currentIndex().row(), current);
}

QTEST_MAIN(TestWindowColours)
#include "tst_windowcolours.moc"
