// Draws the studio's toolbar and menu pictures (studio/resources/img/*.png).
// The PNGs are committed; run this again after changing a drawing:
//   g++ -std=c++17 -fPIC tools/draw-studio-icons.cpp -o /tmp/draw-icons \
//       $(pkg-config --cflags --libs Qt5Gui) && QT_QPA_PLATFORM=offscreen /tmp/draw-icons
//       studio/resources/img
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int kSize = 32;

const QColor kGreen(0x2e, 0x9d, 0x4f);
const QColor kRed(0xd9, 0x3a, 0x33);
const QColor kBlue(0x25, 0x6f, 0xc4);
const QColor kDark(0x3c, 0x44, 0x4f);
const QColor kAmber(0xe8, 0xa3, 0x17);
const QColor kPaper(0xfa, 0xfa, 0xf7);

QPen pen(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void triangle(QPainter& p, const QColor& colour, QRectF box)
{
    QPainterPath path;
    path.moveTo(box.left(), box.top());
    path.lineTo(box.right(), box.center().y());
    path.lineTo(box.left(), box.bottom());
    path.closeSubpath();
    p.setPen(pen(colour.darker(130), 1.5));
    p.setBrush(colour);
    p.drawPath(path);
}

void arrowHead(QPainter& p, QPointF tip, qreal angleDegrees, const QColor& colour)
{
    const qreal a = angleDegrees * M_PI / 180.0;
    const qreal len = 6.5, spread = 0.55;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - QPointF(len * std::cos(a - spread), len * std::sin(a - spread)));
    head.lineTo(tip - QPointF(len * std::cos(a + spread), len * std::sin(a + spread)));
    head.closeSubpath();
    p.setPen(pen(colour, 1.2));
    p.setBrush(colour);
    p.drawPath(head);
}

// The statement dot and line that the three step pictures share.
void statementDot(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawEllipse(QPointF(16, 26), 3.2, 3.2);
}

void page(QPainter& p, QRectF box)
{
    p.setPen(pen(kDark, 1.6));
    p.setBrush(kPaper);
    p.drawRoundedRect(box, 1.5, 1.5);
    p.setPen(pen(QColor(0x9a, 0xa4, 0xb0), 1.3));
    for (qreal y = box.top() + 5; y < box.bottom() - 3; y += 4)
        p.drawLine(QPointF(box.left() + 3.5, y), QPointF(box.right() - 3.5, y));
}

void letterDisc(QPainter& p, const QColor& colour, const QString& letter)
{
    p.setPen(pen(colour.darker(130), 1.5));
    p.setBrush(colour);
    p.drawEllipse(QPointF(16, 16), 13, 13);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(19);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, letter);
}

struct Picture {
    const char* file;
    std::function<void(QPainter&)> draw;
};

const Picture kPictures[] = {
    {"run.png", [](QPainter& p) { triangle(p, kGreen, QRectF(8, 5, 18, 22)); }},
    {"debug.png",
     [](QPainter& p) {
         triangle(p, kGreen, QRectF(5, 5, 18, 22));
         p.setPen(pen(Qt::white, 1.5));
         p.setBrush(kRed);
         p.drawEllipse(QPointF(23, 23), 6, 6);
     }},
    {"end.png",
     [](QPainter& p) {
         p.setPen(pen(kRed.darker(130), 1.5));
         p.setBrush(kRed);
         p.drawRoundedRect(QRectF(7, 7, 18, 18), 2.5, 2.5);
     }},
    {"stepOver.png",
     [](QPainter& p) {
         statementDot(p);
         p.setPen(pen(kBlue, 2.6));
         p.setBrush(Qt::NoBrush);
         QPainterPath arc;
         arc.moveTo(5, 20);
         arc.cubicTo(5, 4, 27, 4, 27, 18);
         p.drawPath(arc);
         arrowHead(p, QPointF(27, 22), 90, kBlue);
     }},
    {"stepInto.png",
     [](QPainter& p) {
         statementDot(p);
         p.setPen(pen(kBlue, 2.6));
         p.drawLine(QPointF(16, 3), QPointF(16, 15));
         arrowHead(p, QPointF(16, 20), 90, kBlue);
     }},
    {"stepout.png",
     [](QPainter& p) {
         statementDot(p);
         p.setPen(pen(kBlue, 2.6));
         p.drawLine(QPointF(16, 19), QPointF(16, 8));
         arrowHead(p, QPointF(16, 3), -90, kBlue);
     }},
    {"breakpoint.png",
     [](QPainter& p) {
         p.setPen(pen(kRed.darker(130), 1.5));
         p.setBrush(kRed);
         p.drawEllipse(QPointF(16, 16), 10, 10);
     }},
    {"jiankong.png",
     [](QPainter& p) {
         QPainterPath eye;
         eye.moveTo(3, 16);
         eye.quadTo(16, 2, 29, 16);
         eye.quadTo(16, 30, 3, 16);
         p.setPen(pen(kDark, 2));
         p.setBrush(kPaper);
         p.drawPath(eye);
         p.setPen(Qt::NoPen);
         p.setBrush(kBlue);
         p.drawEllipse(QPointF(16, 16), 6, 6);
         p.setBrush(kDark);
         p.drawEllipse(QPointF(16, 16), 2.6, 2.6);
     }},
    {"help.png", [](QPainter& p) { letterDisc(p, kBlue, QStringLiteral("?")); }},
    {"about.png", [](QPainter& p) { letterDisc(p, kBlue, QStringLiteral("i")); }},
    {"jieping.png",
     [](QPainter& p) {
         // A selection frame with crop corners.
         p.setPen(QPen(kDark, 1.4, Qt::DashLine));
         p.setBrush(QColor(0x25, 0x6f, 0xc4, 50));
         p.drawRect(QRectF(8, 8, 16, 16));
         p.setPen(pen(kBlue, 3));
         const QPointF corners[][3] = {
             {{3, 10}, {3, 3}, {10, 3}},
             {{22, 3}, {29, 3}, {29, 10}},
             {{29, 22}, {29, 29}, {22, 29}},
             {{10, 29}, {3, 29}, {3, 22}},
         };
         for (const auto& corner : corners)
             p.drawPolyline(corner, 3);
     }},
    {"rpa.png",
     [](QPainter& p) {
         p.setPen(pen(kDark, 2.2));
         p.setBrush(kPaper);
         p.drawEllipse(QPointF(16, 16), 13, 13);
         p.setPen(Qt::NoPen);
         p.setBrush(kRed);
         p.drawEllipse(QPointF(16, 16), 7.5, 7.5);
     }},
    {"openfile.png",
     [](QPainter& p) {
         QPainterPath back;
         back.moveTo(3, 8);
         back.lineTo(11, 8);
         back.lineTo(14, 11);
         back.lineTo(27, 11);
         back.lineTo(27, 26);
         back.lineTo(3, 26);
         back.closeSubpath();
         p.setPen(pen(kAmber.darker(140), 1.5));
         p.setBrush(kAmber.darker(110));
         p.drawPath(back);
         QPainterPath front;
         front.moveTo(3, 26);
         front.lineTo(8, 15);
         front.lineTo(30, 15);
         front.lineTo(26, 26);
         front.closeSubpath();
         p.setBrush(kAmber.lighter(125));
         p.drawPath(front);
     }},
    {"save.png",
     [](QPainter& p) {
         QPainterPath body;
         body.moveTo(4, 4);
         body.lineTo(24, 4);
         body.lineTo(28, 8);
         body.lineTo(28, 28);
         body.lineTo(4, 28);
         body.closeSubpath();
         p.setPen(pen(kBlue.darker(140), 1.5));
         p.setBrush(kBlue);
         p.drawPath(body);
         p.setPen(Qt::NoPen);
         p.setBrush(kPaper);
         p.drawRect(QRectF(9, 4.8, 13, 8));
         p.drawRoundedRect(QRectF(8, 17, 16, 10), 1, 1);
         p.setBrush(kBlue.darker(130));
         p.drawRect(QRectF(17, 6, 3, 5));
     }},
    {"cut.png",
     [](QPainter& p) {
         p.setPen(pen(kDark, 2.2));
         p.drawLine(QPointF(9, 3), QPointF(20, 21));
         p.drawLine(QPointF(23, 3), QPointF(12, 21));
         p.setBrush(Qt::NoBrush);
         p.setPen(pen(kRed, 2.4));
         p.drawEllipse(QPointF(9, 24), 4.5, 4.5);
         p.drawEllipse(QPointF(23, 24), 4.5, 4.5);
     }},
    {"copy.png",
     [](QPainter& p) {
         page(p, QRectF(4, 3, 16, 20));
         page(p, QRectF(12, 9, 16, 20));
     }},
    {"paste.png",
     [](QPainter& p) {
         p.setPen(pen(kAmber.darker(150), 1.5));
         p.setBrush(kAmber);
         p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
         p.setBrush(kDark);
         p.drawRoundedRect(QRectF(9, 2.5, 10, 5), 1.5, 1.5);
         page(p, QRectF(13, 12, 15, 18));
     }},
    {"logo.png",
     [](QPainter& p) {
         p.setPen(Qt::NoPen);
         p.setBrush(kBlue);
         p.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
         triangle(p, kGreen.lighter(130), QRectF(12, 9, 12, 14));
         p.setPen(pen(Qt::white, 3));
         p.drawLine(QPointF(8, 8), QPointF(8, 24));
     }},
};

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-studio-icons <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const Picture& picture : kPictures) {
        QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        picture.draw(painter);
        painter.end();
        const QString path = folder + QLatin1Char('/') + QLatin1String(picture.file);
        if (!image.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
