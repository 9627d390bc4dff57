// The start-up benchmark's yardstick: the least Qt program with the main
// window's widget set (fixed 491 x 394 window, menu bar, four group boxes,
// labels, a line edit, six drop-down lists filled 31/12/151 twice, two
// buttons), built with the same flags as the program. It does nothing else.
// By default it also carries the main window's look at the least cost (its
// captions, typefaces and colours, each set before the controls under it
// exist); with --plain it shows short captions in Qt's own font and colours.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>

#include <cstring>

namespace {

bool plain = false;

enum class Face { Inherited, Heading, Caption, Banner };

QFont verdana(double points, bool bold, bool underline)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QLabel *label(const char *shortText, const QString &caption, Face face, QWidget *parent,
              int x, int y, int w, int h)
{
    auto *l = new QLabel(parent);
    if (plain) {
        l->setText(QString::fromLatin1(shortText));
    } else {
        if (face == Face::Heading)
            l->setFont(verdana(8.25, false, true));
        else if (face == Face::Caption)
            l->setFont(verdana(8.25, true, true));
        else if (face == Face::Banner)
            l->setFont(verdana(9, true, true));
        l->setWordWrap(true);
        l->setText(caption);
    }
    l->setGeometry(x, y, w, h);
    return l;
}

QComboBox *list(QWidget *parent, int x, int y, int w)
{
    auto *c = new QComboBox(parent);
    c->setGeometry(x, y, w, 21);
    return c;
}

void dateRow(QWidget *frame, int top)
{
    static const char *const months[] = {"January", "February", "March", "April",
        "May", "June", "July", "August", "September", "October", "November", "December"};
    label("Date", QStringLiteral("Date"), Face::Heading, frame, 128, top - 16, 40, 13);
    label("Month", QStringLiteral("Month"), Face::Heading, frame, 216, top - 16, 40, 13);
    label("Year", QStringLiteral("Year"), Face::Heading, frame, 312, top - 16, 40, 13);
    QComboBox *day = list(frame, 112, top, 60);
    QComboBox *month = list(frame, 184, top, 100);
    QComboBox *year = list(frame, 296, top, 68);
    for (int d = 1; d <= 31; ++d)
        day->addItem(QString::number(d));
    for (const char *m : months)
        month->addItem(QString::fromLatin1(m));
    for (int y = 1900; y <= 2050; ++y)
        year->addItem(QString::number(y));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    plain = argc > 1 && std::strcmp(argv[1], "--plain") == 0;
    if (!plain)
        QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quenlory v" QUENLORY_VERSION));
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
    if (!plain) {
        QPalette brown = central->palette();
        brown.setColor(QPalette::Window, QColor(94, 70, 47));
        brown.setColor(QPalette::WindowText, QColor(255, 255, 192));
        central->setPalette(brown);
        central->setAutoFillBackground(true);
        central->setFont(verdana(8.25, true, false));
    }
    window.setCentralWidget(central);
    auto *top = new QGroupBox(central);
    top->setGeometry(0, 0, 492, 41);
    label("Visit the forum",
          QStringLiteral("Talk about brothers, sisters and the stars in the Talvane discussion forum. "
                         "Visit the forum at www.talvane.example"),
          Face::Banner, top, 8, 9, 480, 39);
    auto *main = new QGroupBox(QStringLiteral("Sibling Compatibility"), central);
    main->setGeometry(0, 40, 492, 297);
    label("Welcome",
          QStringLiteral("Welcome to Quenlory. Take the test today and know the kind of relationship "
                         "you share with your brothers and sisters. Maybe knowing more about each other "
                         "will help you get along better with each other. "),
          Face::Inherited, main, 16, 16, 457, 57)
        ->setAlignment(Qt::AlignCenter);
    auto *you = new QGroupBox(QStringLiteral("Enter Your Details"), main);
    you->setGeometry(48, 72, 401, 97);
    label("Name", QStringLiteral("Name"), Face::Caption, you, 16, 22, 37, 13);
    auto *name = new QLineEdit(you);
    name->setGeometry(112, 16, 249, 25);
    label("Date Of Birth", QStringLiteral("Date Of Birth"), Face::Caption, you, 16, 68, 83, 13);
    dateRow(you, 64);
    auto *sibling = new QGroupBox(QStringLiteral("Enter Your Sibling Details"), main);
    sibling->setGeometry(48, 176, 401, 73);
    label("Sibling's DOB", QStringLiteral("Sibling's DOB"), Face::Caption, sibling, 16, 44, 85, 13);
    dateRow(sibling, 40);
    auto *test = new QPushButton(main);
    if (!plain)
        test->setFont(verdana(9, true, false));
    test->setText(QStringLiteral("Get My Compatibility With My Brother / Sister"));
    test->setGeometry(48, 256, 401, 33);
    auto *bottom = new QGroupBox(central);
    bottom->setGeometry(0, 336, 492, 57);
    label("Co-brand",
          QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your "
                         "site. Put your site's name &  link here. See \"Help\" for details.Click Here "
                         "for more info on co-branding."),
          Face::Caption, bottom, 8, 11, 383, 41);
    label("Full brand",
          QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                         "online. Get this software fully branded for your website. Click here for "
                         "more details."),
          Face::Caption, bottom, 8, 11, 383, 41);
    auto *exit = new QPushButton(QStringLiteral("&Exit"), bottom);
    exit->setGeometry(392, 16, 84, 31);
    exit->setDefault(true);
    name->setFocus();

    window.setFixedSize(491, 394);
    window.show();
    return app.exec();
}
