// The program's style draws what Qt's Fusion style draws, without decoding a
// picture file while the main window is built and painted: the first such
// decoding loads every image-format plugin. Where the windows state a colour
// (buttons, closed lists, boxes, check box, scroll bars, group-box frames) it
// draws that colour flat, which the pixel checks here prove on plain widgets;
// an opened list keeps Fusion's keys. Where and in which colours the lists
// of the main window open is tested on the window itself (tst_forms).

#include "windowkit/Pictures.h"
#include "windowkit/Style.h"
#include "mainwindow/FrmMain.h"

#include "FakeDesktop.h"
#include "Pixels.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QtTest>

#include <memory>

using mainwindow::FrmMain;

namespace {

QStringList loadedImagePlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(no /proc/self/maps)")};
    QStringList plugins;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        if (line.contains("/imageformats/"))
            plugins << QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
    }
    plugins.removeDuplicates();
    return plugins;
}

QImage rendered(QWidget &widget, qreal ratio = 1.0)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

void giveColours(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, background);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    widget->setPalette(palette);
}

// The plain widgets the pixel table draws, and where their face lies.
enum class Part { ButtonFace, DefaultButtonFace, PressedButtonFace, ClosedList, LineEdit, CheckIndicator,
                  ScrollBarHandle, ScrollBarGroove };

struct Specimen {
    std::unique_ptr<QWidget> widget;
    QRect face;
};

Specimen specimen(Part part)
{
    Specimen made;
    switch (part) {
    case Part::ButtonFace:
    case Part::DefaultButtonFace:
    case Part::PressedButtonFace: {
        auto *button = new QPushButton(QStringLiteral("&Exit"));
        button->setDefault(part == Part::DefaultButtonFace);
        button->setDown(part == Part::PressedButtonFace);
        button->resize(120, 31);
        made.widget.reset(button);
        // Left of the centred caption, clear of frame and focus mark.
        made.face = QRect(6, 5, 24, 21);
        break;
    }
    case Part::ClosedList: {
        auto *list = new QComboBox;
        list->addItems({QStringLiteral("1"), QStringLiteral("2")});
        list->resize(120, 21);
        made.widget.reset(list);
        // Right of the entry's text, left of the arrow.
        made.face = QRect(30, 4, 50, 13);
        break;
    }
    case Part::LineEdit:
        made.widget = std::make_unique<QLineEdit>();
        made.widget->resize(120, 25);
        made.face = QRect(4, 4, 112, 17);
        break;
    case Part::CheckIndicator: {
        auto *box = new QCheckBox(QStringLiteral("Visit now"));
        box->resize(120, 20);
        made.widget.reset(box);
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        made.face = indicator.adjusted(2, 2, -2, -2);
        break;
    }
    case Part::ScrollBarHandle:
    case Part::ScrollBarGroove: {
        auto *bar = new QScrollBar(Qt::Vertical);
        bar->setRange(0, 100);
        bar->setPageStep(20);
        bar->resize(bar->sizeHint().width(), 200);
        made.widget.reset(bar);
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = 0;
        option.maximum = 100;
        option.pageStep = 20;
        option.sliderPosition = option.sliderValue = 0;
        option.subControls = QStyle::SC_All;
        const QRect handle = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                          QStyle::SC_ScrollBarSlider, bar);
        const QRect groove = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                          QStyle::SC_ScrollBarGroove, bar);
        made.face = part == Part::ScrollBarHandle
            ? handle.adjusted(3, 3, -3, -3)
            : QRect(groove.left() + 3, handle.bottom() + 4, groove.width() - 6, groove.bottom() - handle.bottom() - 8);
        break;
    }
    }
    return made;
}

} // namespace

Q_DECLARE_METATYPE(Part)

class TestProgramStyle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    // Runs first: any picture decoded before it would load the plugins.
    void mainWindowDecodesNoPicture();
    void groupBoxFramesFlat_data();
    void groupBoxFramesFlat();
    void overflowArrowAsFusion();
    void facesDrawnFlat_data();
    void facesDrawnFlat();
    void buttonStatesVisible();
    void focusMarkScales_data();
    void focusMarkScales();
    void closedListArrowInTextColour();
    void openedListKeys_data();
    void openedListKeys();

private:
    QStyle *m_fusion = nullptr;
};

void TestProgramStyle::initTestCase()
{
    QApplication::setStyle(new windowkit::ProgramStyle);
    m_fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    m_fusion->setParent(this);
}

void TestProgramStyle::mainWindowDecodesNoPicture()
{
    // The one case that reads the loaded libraries; every other case of this
    // test runs where /proc is missing (on Windows) too.
    if (!QFile::exists(QStringLiteral("/proc/self/maps")))
        QSKIP("needs /proc/self/maps to see the loaded libraries (Linux only)");
    QCOMPARE(loadedImagePlugins(), QStringList());
    QApplication::setWindowIcon(windowkit::programIcon());
    FakeDesktop desktop;
    FrmMain window(desktop);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.grab().isNull());
    QCOMPARE(loadedImagePlugins(), QStringList());
}

void TestProgramStyle::groupBoxFramesFlat_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("points");
    QTest::addColumn<QColor>("face");

    QTest::newRow("untitled strip") << QString() << false << QSize(492, 41) << 8.25 << kKhaki;
    QTest::newRow("titled frame") << QStringLiteral("Enter Your Details") << false << QSize(401, 97) << 8.25
                                  << kKhaki;
    QTest::newRow("titled, larger type, dark brown") << QStringLiteral("Sibling Compatibility") << false
                                                     << QSize(492, 297) << 14.0 << kDarkBrown;
    QTest::newRow("untitled, checkable") << QString() << true << QSize(200, 60) << 8.25 << kKhaki;
    QTest::newRow("small") << QStringLiteral("x") << false << QSize(40, 30) << 8.25 << kDarkBrown;
}

// The frame is one pixel wide, in one shade of the box's colour, all round
// the box below its title, on the box's own face.
void TestProgramStyle::groupBoxFramesFlat()
{
    QFETCH(QString, title);
    QFETCH(bool, checkable);
    QFETCH(QSize, size);
    QFETCH(double, points);
    QFETCH(QColor, face);

    QGroupBox box(title);
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    box.setFont(font);
    box.setCheckable(checkable);
    box.resize(size);
    giveColours(&box, face, Qt::black);
    for (qreal ratio : {1.0, 2.0}) {
        const QImage picture = rendered(box, ratio);
        const auto at = [&](int x, int y) { return picture.pixelColor(qRound(x * ratio), qRound(y * ratio)); };
        const int right = size.width() - 1, bottom = size.height() - 1, middle = size.width() / 2;
        // The top line: the first drawn pixel down the right-hand part, clear of title and check box.
        int top = 0;
        while (top < bottom && at(right - 4, top) == face)
            ++top;
        const QColor frame = at(middle, bottom);
        QVERIFY2(distance(frame, face) > 20, qPrintable(rgb(frame)));
        for (const QPoint &onFrame : {QPoint(middle, bottom), QPoint(right - 4, top), QPoint(0, (top + bottom) / 2),
                                      QPoint(right, (top + bottom) / 2), QPoint(0, bottom), QPoint(right, top)})
            QVERIFY2(at(onFrame.x(), onFrame.y()) == frame,
                     qPrintable(QStringLiteral("%1,%2 at ratio %3").arg(onFrame.x()).arg(onFrame.y()).arg(ratio)));
        for (const QPoint &inside : {QPoint(middle, bottom - 1), QPoint(right - 4, top + 1), QPoint(1, (top + bottom) / 2),
                                     QPoint(right - 1, (top + bottom) / 2)})
            QVERIFY2(at(inside.x(), inside.y()) == face,
                     qPrintable(QStringLiteral("%1,%2 at ratio %3").arg(inside.x()).arg(inside.y()).arg(ratio)));
        // Below the title, but no further down than a few pixels under it.
        const int below = (!title.isEmpty() || checkable) ? QFontMetrics(font).height() : 0;
        QVERIFY2(top >= below && top <= below + 4, qPrintable(QString::number(top)));
    }
}

void TestProgramStyle::overflowArrowAsFusion()
{
    // The menu bar holds the arrow from the start; it is read when drawn.
    QMenuBar bar;
    const QIcon arrow = bar.style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    QVERIFY(!arrow.isNull());
    const QIcon fusion = m_fusion->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    QCOMPARE(arrow.pixmap(16).toImage(), fusion.pixmap(16).toImage());
    QCOMPARE(arrow.availableSizes(), fusion.availableSizes());
}

void TestProgramStyle::facesDrawnFlat_data()
{
    QTest::addColumn<Part>("part");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("expected");

    const QColor grey = QApplication::palette().color(QPalette::Button);
    QTest::newRow("button, khaki") << Part::ButtonFace << kKhaki << QColor(Qt::black) << kKhaki;
    QTest::newRow("default button, khaki, no tint") << Part::DefaultButtonFace << kKhaki << QColor(Qt::black)
                                                    << kKhaki;
    QTest::newRow("button, desktop grey") << Part::ButtonFace << grey << QColor(Qt::black) << grey;
    QTest::newRow("closed list, dark brown") << Part::ClosedList << kDarkBrown << kLightYellow << kDarkBrown;
    QTest::newRow("line edit, dark brown") << Part::LineEdit << kDarkBrown << kLightYellow << kDarkBrown;
    QTest::newRow("check box, dark brown") << Part::CheckIndicator << kDarkBrown << kLightYellow << kDarkBrown;
    QTest::newRow("scroll bar handle, dark grey") << Part::ScrollBarHandle << kDarkGrey << kCyan << kDarkGrey;
    QTest::newRow("scroll bar handle, dark brown") << Part::ScrollBarHandle << kDarkBrown << kLightYellow
                                                   << kDarkBrown;
}

// Each face in its palette's colour, flat from top to bottom at both pixel
// ratios: Fusion's gradients and the default button's tint fail here.
void TestProgramStyle::facesDrawnFlat()
{
    QFETCH(Part, part);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    QFETCH(QColor, expected);

    const Specimen made = specimen(part);
    giveColours(made.widget.get(), background, text);
    for (qreal ratio : {1.0, 2.0}) {
        const QString failure = areaFailure(rendered(*made.widget, ratio), made.face, expected);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
}

void TestProgramStyle::buttonStatesVisible()
{
    // The default button is marked by its frame, a pressed one by its face.
    QImage pictures[3];
    const Part parts[3] = {Part::ButtonFace, Part::DefaultButtonFace, Part::PressedButtonFace};
    for (int i = 0; i < 3; ++i) {
        const Specimen made = specimen(parts[i]);
        giveColours(made.widget.get(), kKhaki, Qt::black);
        pictures[i] = rendered(*made.widget);
    }
    const QPoint frame(60, 0);
    QVERIFY(pictures[1].pixelColor(frame).lightness() < pictures[0].pixelColor(frame).lightness());
    const QPoint face(10, 15);
    QVERIFY(distance(pictures[2].pixelColor(face), kKhaki) > 10);
    QVERIFY(pictures[2].pixelColor(face).lightness() < kKhaki.lightness());
}

// A focused button's dotted mark, three pixels inside its edge: dots of one
// logical pixel, so as many device pixels wide and high as the ratio.
void TestProgramStyle::focusMarkScales_data()
{
    QTest::addColumn<int>("ratio");
    QTest::newRow("100 %") << 1;
    QTest::newRow("200 %") << 2;
}

void TestProgramStyle::focusMarkScales()
{
    QFETCH(int, ratio);
    QPushButton button(QStringLiteral("Exit"));
    button.resize(84, 31);
    giveColours(&button, kKhaki, Qt::black);
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = QString();
    option.state |= QStyle::State_HasFocus;
    QImage picture(button.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::magenta);
    {
        QPainter painter(&picture);
        button.style()->drawControl(QStyle::CE_PushButton, &option, &painter, &button);
    }
    // The mark's top line, well inside the corners: every run of dark pixels
    // is ratio long, in each of its ratio device rows.
    for (int row = 0; row < ratio; ++row) {
        const int y = 3 * ratio + row;
        QList<int> runs;
        int run = 0;
        for (int x = 10 * ratio; x < 70 * ratio; ++x) {
            if (picture.pixelColor(x, y).lightness() < 60) {
                ++run;
            } else if (run) {
                runs << run;
                run = 0;
            }
        }
        QVERIFY2(runs.size() >= 25, qPrintable(QStringLiteral("%1 dots in row %2").arg(runs.size()).arg(y)));
        for (int length : std::as_const(runs))
            QVERIFY2(length == ratio, qPrintable(QStringLiteral("a dot %1 device pixels long in row %2").arg(length).arg(y)));
    }
}

void TestProgramStyle::closedListArrowInTextColour()
{
    QComboBox list;
    list.addItem(QStringLiteral("1"));
    list.resize(120, 21);
    giveColours(&list, kDarkBrown, kLightYellow);
    const QImage picture = rendered(list);
    // The arrow sits in the right-hand part, which holds no text.
    const QRect arrowArea(90, 0, 30, 21);
    QVERIFY(pixelsNear(picture, arrowArea, kLightYellow, kTolerance) >= 10);
}

void TestProgramStyle::openedListKeys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("picked");
    QTest::addColumn<bool>("stillOpen");

    // Keys: d Down, u Up, h Home, e End, r Enter (Return), x Esc; others typed.
    QTest::newRow("down twice, enter") << QStringLiteral("ddr") << 12 << false;
    QTest::newRow("up, enter") << QStringLiteral("ur") << 9 << false;
    QTest::newRow("end, enter") << QStringLiteral("er") << 30 << false;
    QTest::newRow("home, enter") << QStringLiteral("hr") << 0 << false;
    // Typing searches onwards from the current entry, "11".
    QTest::newRow("a digit jumps") << QStringLiteral("2r") << 19 << false;
    QTest::newRow("digits typed together") << QStringLiteral("25r") << 24 << false;
    QTest::newRow("escape keeps the entry") << QStringLiteral("ddx") << 10 << false;
    QTest::newRow("moving does not pick") << QStringLiteral("dd") << 10 << true;
}

// The keys of an opened list do what they did when Fusion opened it as a
// menu: the same rows, run with both styles, pick the same entry.
void TestProgramStyle::openedListKeys()
{
    QFETCH(QString, keys);
    QFETCH(int, picked);
    QFETCH(bool, stillOpen);

    for (QStyle *style : {QApplication::style(), m_fusion}) {
        QComboBox list;
        list.setStyle(style);
        for (int day = 1; day <= 31; ++day)
            list.addItem(QString::number(day));
        list.setMaxVisibleItems(8);
        list.resize(60, 21);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        list.setCurrentIndex(10);
        list.showPopup();
        QAbstractItemView *view = list.view();
        QTRY_VERIFY(view->window()->isVisible());
        for (QChar key : keys) {
            switch (key.unicode()) {
            case 'd': QTest::keyClick(view, Qt::Key_Down); break;
            case 'u': QTest::keyClick(view, Qt::Key_Up); break;
            case 'h': QTest::keyClick(view, Qt::Key_Home); break;
            case 'e': QTest::keyClick(view, Qt::Key_End); break;
            case 'r': QTest::keyClick(view, Qt::Key_Return); break;
            case 'x': QTest::keyClick(view, Qt::Key_Escape); break;
            default: QTest::keyClick(view, key.toLatin1()); break;
            }
        }
        const char *which = style == m_fusion ? "Fusion" : "program";
        QTRY_VERIFY2(view->window()->isVisible() == stillOpen, which);
        QVERIFY2(list.currentIndex() == picked, qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(which))
                                                                .arg(list.currentIndex())));
        list.hidePopup();
    }
}

QTEST_MAIN(TestProgramStyle)
#include "tst_programstyle.moc"
