// QR pictures made by the engine and read back, barcodes drawn by the test,
// and the failures of both directions.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include "fifo_checks.h"
#include "../../hostile_pictures.h"
#include "core/shared_state.h"
#include "log_capture.h"
#include "tavix.h"

using tavix::core::sharedRecord;
using tavix::test::hugePng;
using tavix::test::isFifo;
using tavix::test::LogCapture;
using tavix::test::withDeadline;

namespace {

QByteArray utf8(const QString& text)
{
    return text.toUtf8();
}

bool isDark(const QImage& picture, int x, int y)
{
    return qGray(picture.pixel(x, y)) < 128;
}

// A barcode of `format` drawn with a white quiet zone, as a printed label has.
QImage drawBarcode(ZXing::BarcodeFormat format, const std::string& contents)
{
    const ZXing::BitMatrix bits = ZXing::MultiFormatWriter(format).setMargin(10).encode(contents, 400, 120);
    QImage picture(bits.width(), bits.height(), QImage::Format_RGB32);
    for (int y = 0; y < bits.height(); ++y)
        for (int x = 0; x < bits.width(); ++x)
            picture.setPixel(x, y, bits.get(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return picture;
}

QImage logoPicture()
{
    QImage logo(64, 48, QImage::Format_ARGB32);
    logo.fill(QColor("#d02020"));
    QPainter painter(&logo);
    painter.fillRect(8, 8, 20, 20, Qt::yellow);
    return logo;
}

class QrCodes : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        TX_api_initialize();
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    // Decodes through the shared record, as the studio does with its handles.
    static std::string decodeImage(const QImage& picture)
    {
        TX_api source;
        source.image = picture;
        TX_api_setData(&source);
        const char* text = TX_utils_decodeQRCodeImage();
        return text ? std::string(text) : std::string("<null>");
    }

    QTemporaryDir dir;
};

TEST_F(QrCodes, TestAtScale200IsA200PixelSymbolWithoutMarginThatDecodesBack)
{
    const QString saved = path("test.png");
    ASSERT_EQ(TX_utils_createQRCode("test", 200, utf8(saved), nullptr), 1);

    const QImage file(saved);
    ASSERT_EQ(file.size(), QSize(200, 200));
    EXPECT_EQ(sharedRecord().image.size(), QSize(200, 200));
    EXPECT_EQ(sharedRecord().image.convertToFormat(QImage::Format_RGB32), file.convertToFormat(QImage::Format_RGB32));
    // Finder patterns sit in three corners: with no margin they touch the edges.
    EXPECT_TRUE(isDark(file, 0, 0));
    EXPECT_TRUE(isDark(file, 199, 0));
    EXPECT_TRUE(isDark(file, 0, 199));

    const char* fromFile = TX_utils_decodeQRCode(utf8(saved));
    ASSERT_NE(fromFile, nullptr);
    EXPECT_STREQ(fromFile, "test");
    EXPECT_EQ(decodeImage(file), "test");
}

TEST_F(QrCodes, SmallestSymbolIsVersion2AndTextBytesAreKeptAsGiven)
{
    // Version 2 has 25 modules: at scale 25 each module is one pixel.
    ASSERT_EQ(TX_utils_createQRCodeImage("a", 25), 1);
    const QImage picture = sharedRecord().image;
    ASSERT_EQ(picture.size(), QSize(25, 25));
    for (int i = 0; i < 7; ++i)  // the top-left finder's outer ring
        EXPECT_TRUE(isDark(picture, i, 0) && isDark(picture, 0, i)) << i;
    EXPECT_FALSE(isDark(picture, 7, 0));  // its separator

    // At 10 pixels a module every module is an exact 10 x 10 block, however
    // large the drawing canvas was.
    ASSERT_EQ(TX_utils_createQRCodeImage("a", 250), 1);
    EXPECT_EQ(sharedRecord().image, picture.scaled(250, 250, Qt::IgnoreAspectRatio, Qt::FastTransformation));

    const QString text = QStringLiteral("Grüße 你好 Case-Sensitive 0123456789");
    ASSERT_EQ(TX_utils_createQRCodeImage(text.toUtf8().constData(), 300), 1);
    EXPECT_EQ(decodeImage(sharedRecord().image), text.toStdString());
}

TEST_F(QrCodes, LogoIsDrawnInTheMiddleAndTheSymbolStillDecodes)
{
    const QString logoFile = path("logo.png");
    ASSERT_TRUE(logoPicture().save(logoFile));
    const QString plain = path("plain.png");
    const QString withLogo = path("logo-qr.png");
    ASSERT_EQ(TX_utils_createQRCode("https://example.org/tavix", 400, utf8(plain), nullptr), 1);
    ASSERT_EQ(TX_utils_createQRCode("https://example.org/tavix", 400, utf8(withLogo), utf8(logoFile)), 1);

    const QImage a(plain), b(withLogo);
    ASSERT_EQ(b.size(), QSize(400, 400));
    EXPECT_NE(a.convertToFormat(QImage::Format_RGB32), b.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(QColor(b.pixel(200, 200)).red() > 150 && QColor(b.pixel(200, 200)).green() < 100, true)
        << "the logo's red in the centre";
    EXPECT_EQ(b.pixel(0, 0), a.pixel(0, 0));
    const char* text = TX_utils_decodeQRCode(utf8(withLogo));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "https://example.org/tavix");

    // The record form takes its logo from logoImage.
    sharedRecord().logoImage = logoPicture();
    ASSERT_EQ(TX_utils_createQRCodeImage("https://example.org/tavix", 400), 1);
    EXPECT_EQ(sharedRecord().image.convertToFormat(QImage::Format_RGB32), b.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(decodeImage(sharedRecord().image), "https://example.org/tavix");
}

TEST_F(QrCodes, MissingLogoIsTheSameAsNoLogoAndAnUnloadableOneLeavesItsBlackSquare)
{
    ASSERT_EQ(TX_utils_createQRCode("logo test", 300, utf8(path("none.png")), nullptr), 1);
    const QImage none = sharedRecord().image;
    ASSERT_EQ(TX_utils_createQRCode("logo test", 300, utf8(path("missing.png")), utf8(path("no-such-logo.png"))), 1);
    EXPECT_EQ(sharedRecord().image, none);
    ASSERT_EQ(TX_utils_createQRCode("logo test", 300, utf8(path("empty.png")), ""), 1);
    EXPECT_EQ(sharedRecord().image, none);

    QFile notPicture(path("logo.txt"));
    ASSERT_TRUE(notPicture.open(QIODevice::WriteOnly));
    notPicture.write("not a picture");
    notPicture.close();
    ASSERT_EQ(TX_utils_createQRCode("logo test", 300, utf8(path("square.png")), utf8(notPicture.fileName())), 1);
    const QImage square = sharedRecord().image;
    EXPECT_NE(square, none);
    for (int i = 140; i <= 160; i += 5)
        EXPECT_TRUE(isDark(square, i, 150)) << i;
}

TEST_F(QrCodes, Code128IsReadButEan13IsNot)
{
    EXPECT_EQ(decodeImage(drawBarcode(ZXing::BarcodeFormat::Code128, "TAVIX-128")), "TAVIX-128");

    const QString ean = path("ean13.png");
    ASSERT_TRUE(drawBarcode(ZXing::BarcodeFormat::EAN13, "5901234123457").save(ean));
    testing::internal::CaptureStdout();
    const char* text = TX_utils_decodeQRCode(utf8(ean));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Wrong picture format!");
    EXPECT_EQ(text, nullptr);
}

TEST_F(QrCodes, TextThatGivesNoSymbolChangesNothing)
{
    sharedRecord().image = logoPicture();
    const QImage before = sharedRecord().image;
    const QString saved = path("long.png");
    // Level H holds at most 1273 bytes.
    const QByteArray tooLong(3000, 'x');
    LogCapture log;
    EXPECT_EQ(TX_utils_createQRCode(tooLong.constData(), 200, utf8(saved), nullptr), 0);
    EXPECT_EQ(TX_utils_createQRCodeImage(tooLong.constData(), 200), 0);
    EXPECT_EQ(TX_utils_createQRCode(nullptr, 200, utf8(saved), nullptr), 0);
    EXPECT_EQ(TX_utils_createQRCodeImage(nullptr, 200), 0);
    EXPECT_EQ(TX_utils_createQRCodeImage("", 200), 0);
    for (int scale : {0, -1, -200})
        EXPECT_EQ(TX_utils_createQRCode("test", scale, utf8(saved), nullptr), 0) << scale;
    EXPECT_FALSE(QFile::exists(saved));
    EXPECT_EQ(sharedRecord().image, before);
    EXPECT_TRUE(log.contains("cannot be encoded"));
}

TEST_F(QrCodes, AFailedSaveStillMakesThePicture)
{
    sharedRecord().image = QImage();
    for (const QString& target : {path("no-dir/qr.png"), path("qr.unknownformat"), QString()}) {
        EXPECT_EQ(TX_utils_createQRCode("saved or not", 120, utf8(target), nullptr), 1) << target.toStdString();
        EXPECT_EQ(sharedRecord().image.size(), QSize(120, 120));
        EXPECT_FALSE(target.isEmpty() ? false : QFile::exists(target));
        sharedRecord().image = QImage();
    }
}

TEST_F(QrCodes, DecodingFailuresGiveNullWithTheirMessages)
{
    QFile text(path("not-a-picture.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("plain text, not a PNG");
    text.close();
    QImage blank(300, 300, QImage::Format_RGB32);
    blank.fill(Qt::white);
    ASSERT_TRUE(blank.save(path("blank.png")));

    struct Case {
        QString file;
        const char* message;
    };
    for (const Case& c : {Case{text.fileName(), "Open Picture fail!"}, Case{path("missing.png"), "Open Picture fail!"},
                          Case{QString(), "Open Picture fail!"}, Case{path("blank.png"), "Wrong picture format!"}}) {
        testing::internal::CaptureStdout();
        const char* result = TX_utils_decodeQRCode(utf8(c.file));
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.message) << c.file.toStdString();
        EXPECT_EQ(result, nullptr);
    }
    EXPECT_EQ(TX_utils_decodeQRCode(nullptr), nullptr);

    // A blank working image fails with the message; a null one silently.
    EXPECT_EQ(decodeImage(blank), "<null>");
    TX_api_initialize();
    testing::internal::CaptureStdout();
    EXPECT_EQ(TX_utils_decodeQRCodeImage(), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(QrCodes, LargePicturesAreFittedBeforeDecoding)
{
    ASSERT_EQ(TX_utils_createQRCodeImage("fit me", 1000), 1);
    QImage wide(2400, 1200, QImage::Format_RGB32);
    wide.fill(Qt::white);
    QPainter(&wide).drawImage(700, 100, sharedRecord().image);
    EXPECT_EQ(decodeImage(wide), "fit me");
    ASSERT_EQ(TX_utils_createQRCodeImage("tiny", 50), 1);
    EXPECT_EQ(decodeImage(sharedRecord().image), "tiny");
}

}  // namespace

namespace {

// A rounded black square sits in the middle of a 300-pixel symbol with a logo.
bool hasBlackLogoSquare(const QImage& symbol)
{
    for (int i = 140; i <= 160; i += 5)
        if (!isDark(symbol, i, 150))
            return false;
    return true;
}

TEST_F(QrCodes, FifosAndHugePicturesAreRefusedAsPicturesWithoutBlockingOrExhaustingMemory)
{
    const QString fifo = path("pipe.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = path("huge.png");
    QFile hugeFile(huge);
    ASSERT_TRUE(hugeFile.open(QIODevice::WriteOnly));
    ASSERT_EQ(hugeFile.write(hugePng()), hugePng().size());
    hugeFile.close();

    struct Case {
        QString file;
        const char* logged;
    };
    for (const Case& c : {Case{fifo, "not a regular file"}, Case{huge, "Refusing to decode"}}) {
        SCOPED_TRACE(c.file.toStdString());
        LogCapture log;
        testing::internal::CaptureStdout();
        const char* text =
            withDeadline("decodeQRCode", [&] { return TX_utils_decodeQRCode(utf8(c.file)); });
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Open Picture fail!");
        EXPECT_EQ(text, nullptr);

        // As a logo it is a file that does not load: the black square is drawn.
        EXPECT_EQ(withDeadline("createQRCode",
                               [&] {
                                   return TX_utils_createQRCode(
                                       "logo test", 300, utf8(path("logo.png")), utf8(c.file));
                               }),
                  1);
        EXPECT_TRUE(hasBlackLogoSquare(sharedRecord().image));
        EXPECT_TRUE(log.contains(c.logged)) << log.lines().join('\n').toStdString();
    }
    EXPECT_TRUE(isFifo(fifo));
}

TEST_F(QrCodes, SavingNeverReplacesAFifoAndKeepsALink)
{
    const QString fifo = path("pipe.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    LogCapture log;
    // The symbol is still made when its file cannot be written.
    EXPECT_EQ(withDeadline("createQRCode",
                           [&] { return TX_utils_createQRCode("fifo", 120, utf8(fifo), nullptr); }),
              1);
    EXPECT_EQ(sharedRecord().image.size(), QSize(120, 120));
    EXPECT_TRUE(isFifo(fifo));
    EXPECT_TRUE(log.contains("not a regular file")) << log.lines().join('\n').toStdString();

    ASSERT_TRUE(QDir(dir.path()).mkdir("store"));
    const QString real = path("store/real.png");
    const QString link = path("latest.png");
    ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(real));
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_EQ(TX_utils_createQRCode("linked", 120, utf8(link), nullptr), 1);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QImage(real).size(), QSize(120, 120));
}

}  // namespace
