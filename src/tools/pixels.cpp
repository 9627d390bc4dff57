// Build tool: writes pictures as C++ arrays of RGBA bytes, so that the
// program can draw them without decoding a PNG at start-up. The first PNG a
// process decodes loads every image-format plugin Qt has (GIF, ICO, JPEG and
// their libraries), though none of them is used.
//
//     quenlory_pixels OUTPUT.cpp NAME=PICTURE[@SIZE]...
//
// With @SIZE the picture is first scaled down, smoothly, to SIZE pixels square.

#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp NAME=PICTURE...\n", argv[0]);
        return 2;
    }
    QByteArray text = "// Written by quenlory_pixels at build time.\n#include \"windowkit/Pictures.h\"\n\n"
                      "namespace windowkit {\n";
    for (int i = 2; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        const qsizetype equals = argument.indexOf('=');
        const QByteArray name = argument.left(equals);
        QString path = QString::fromLocal8Bit(argument.mid(equals + 1));
        int size = 0;
        if (const qsizetype at = path.lastIndexOf(u'@'); at > 0) {
            size = path.mid(at + 1).toInt();
            path.truncate(at);
        }
        QImage image = QImage(path).convertToFormat(QImage::Format_RGBA8888);
        if (size > 0 && !image.isNull() && size != image.width())
            image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (equals <= 0 || image.isNull()) {
            std::fprintf(stderr, "%s: no picture\n", argv[i]);
            return 1;
        }
        text += "\nstatic const unsigned char " + name + "Bytes[] = {";
        for (int y = 0; y < image.height(); ++y) {
            const uchar *row = image.constScanLine(y);
            for (int x = 0; x < image.width() * 4; ++x)
                text += (x % 24 ? " " : "\n    ") + QByteArray::number(row[x]) + ',';
        }
        text += "\n};\nconst Picture " + name + "{" + QByteArray::number(image.width()) + ", "
            + QByteArray::number(image.height()) + ", " + name + "Bytes};\n";
    }
    text += "\n} // namespace windowkit\n";

    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text) != text.size()) {
        std::fprintf(stderr, "%s: cannot write\n", argv[1]);
        return 1;
    }
    return 0;
}
