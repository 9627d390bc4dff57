// The start-up benchmark's yardstick: the least Qt program with the main
// window's widget set (fixed 491 x 394 window, menu bar, four group boxes,
// labels, a line edit, six drop-down lists filled 31/12/151 twice, two
// buttons), built with the same flags as the program. It does nothing else.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace {

QLabel *label(const QString &text, QWidget *parent, int x, int y, int w, int h)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    return l;
}

QComboBox *list(QWidget *parent, int x, int y, int w)
{
    auto *c = new QComboBox(parent);
    c->setGeometry(x, y, w, 21);
    return c;
}

void dateRow(QWidget *frame, int top, QComboBox *lists[3])
{
    static const char *const months[] = {"January", "February", "March", "April",
        "May", "June", "July", "August", "September", "October", "November", "December"};
    label(QStringLiteral("Date"), frame, 128, top - 16, 40, 13);
    label(QStringLiteral("Month"), frame, 216, top - 16, 40, 13);
    label(QStringLiteral("Year"), frame, 312, top - 16, 40, 13);
    lists[0] = list(frame, 112, top, 60);
    lists[1] = list(frame, 184, top, 100);
    lists[2] = list(frame, 296, top, 68);
    for (int day = 1; day <= 31; ++day)
        lists[0]->addItem(QString::number(day));
    for (const char *month : months)
        lists[1]->addItem(QString::fromLatin1(month));
    for (int year = 1900; year <= 2050; ++year)
        lists[2]->addItem(QString::number(year));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quenlory v1.25"));
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Get My Compatibility With My Brother / Sister"));
    file->addAction(QStringLiteral("E&xit"));
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("Online"));
    help->addAction(QStringLiteral("Visit"));
    help->addSeparator();
    help->addAction(QStringLiteral("Update"));
    help->addSeparator();
    help->addAction(QStringLiteral("About"));
    window.menuBar()->addAction(QStringLiteral("Donate"));

    auto *central = new QWidget;
    window.setCentralWidget(central);
    auto *top = new QGroupBox(central);
    top->setGeometry(0, 0, 492, 41);
    label(QStringLiteral("Visit the forum"), top, 8, 9, 480, 39);
    auto *main = new QGroupBox(QStringLiteral("Sibling Compatibility"), central);
    main->setGeometry(0, 40, 492, 297);
    label(QStringLiteral("Welcome"), main, 16, 16, 457, 57);
    auto *you = new QGroupBox(QStringLiteral("Enter Your Details"), main);
    you->setGeometry(48, 72, 401, 97);
    label(QStringLiteral("Name"), you, 16, 22, 37, 13);
    auto *name = new QLineEdit(you);
    name->setGeometry(112, 16, 249, 25);
    label(QStringLiteral("Date Of Birth"), you, 16, 68, 83, 13);
    QComboBox *yours[3];
    dateRow(you, 64, yours);
    auto *sibling = new QGroupBox(QStringLiteral("Enter Your Sibling Details"), main);
    sibling->setGeometry(48, 176, 401, 73);
    label(QStringLiteral("Sibling's DOB"), sibling, 16, 44, 85, 13);
    QComboBox *siblings[3];
    dateRow(sibling, 40, siblings);
    auto *test = new QPushButton(QStringLiteral("Get My Compatibility With My Brother / Sister"), main);
    test->setGeometry(48, 256, 401, 33);
    auto *bottom = new QGroupBox(central);
    bottom->setGeometry(0, 336, 492, 57);
    label(QStringLiteral("Co-brand"), bottom, 8, 11, 383, 41);
    auto *exit = new QPushButton(QStringLiteral("&Exit"), bottom);
    exit->setGeometry(392, 16, 84, 31);
    exit->setDefault(true);
    name->setFocus();

    window.setFixedSize(491, 394);
    window.show();
    return app.exec();
}
