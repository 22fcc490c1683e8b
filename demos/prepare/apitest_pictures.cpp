// Draws the pictures of the demos' prepared folder:
//   apitest-pictures <folder>          every picture the demos read, in place
//   apitest-pictures --ocr-sample <f>  the small text picture built into ocrdemo
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>

namespace {

// Text the OCR picture holds; the demo tests look for it in ocrdemo's output.
const char kOcrText[] = "Tavix reads 2024";
const char kOcrSampleText[] = "OK 42";

QImage filled(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// 500 x 400: a sky background, a navy block around (100, 100) and a frame,
// so that clipping, rotating and scaling show in the results.
QImage scene()
{
    QImage image = filled(500, 400, QColor(0x87, 0xce, 0xeb));
    QPainter painter(&image);
    painter.fillRect(50, 50, 100, 100, QColor(0x33, 0x66, 0x99));
    painter.fillRect(300, 200, 150, 120, QColor(0xee, 0xaa, 0x22));
    painter.setPen(QPen(Qt::black, 4));
    painter.drawRect(2, 2, 495, 395);
    return image;
}

QImage logo(int size)
{
    QImage image = filled(size, size, QColor(0x20, 0x40, 0x80));
    QPainter painter(&image);
    painter.fillRect(size / 4, size / 4, size / 2, size / 2, QColor(0xf0, 0xc0, 0x30));
    return image;
}

QImage withRedPixel(int width, int height, int x, int y)
{
    QImage image = filled(width, height, Qt::white);
    image.setPixelColor(x, y, QColor(0xff, 0, 0));
    return image;
}

QImage text(int width, int height, const char* words, int pixelSize)
{
    QImage image = filled(width, height, Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, QString::fromLatin1(words));
    return image;
}

struct Picture {
    const char* path;
    QImage (*draw)();
};

const Picture kPictures[] = {
    {"image/abc.png", scene},
    {"image/logo.png", [] { return logo(120); }},
    {"image/white.png", [] { return filled(300, 300, Qt::white); }},
    // The red pixel lies inside the area imagedemo searches (100..500).
    {"image/whitered.png", [] { return withRedPixel(600, 600, 321, 234); }},
    {"image/whiteredsmall.png", [] { return withRedPixel(24, 24, 5, 7); }},
    {"a.png", [] { return logo(64); }},
    {"logo.png", [] { return logo(48); }},
    {"ocr/1.png", [] { return text(640, 120, kOcrText, 48); }},
};

bool save(const QImage& image, const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, "PNG")) {
        std::fprintf(stderr, "apitest-pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    // Painting text needs fonts but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();

    if (args.size() == 3 && args[1] == QLatin1String("--ocr-sample"))
        return save(text(74, 22, kOcrSampleText, 14), args[2]) ? 0 : 1;
    if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: apitest-pictures <folder> | --ocr-sample <file>\n");
        return 2;
    }
    const QDir folder(args[1]);
    bool ok = true;
    for (const Picture& picture : kPictures)
        ok = save(picture.draw(), folder.filePath(QString::fromLatin1(picture.path))) && ok;
    return ok ? 0 : 1;
}
