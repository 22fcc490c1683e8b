// Real recognition: pictures rendered here, read by the build's OCR launcher
// for the system's Tesseract.
#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/shared_state.h"
#include "services/ocr/ocr_program.h"
#include "tavix.h"

namespace {

QImage render(const QString& text, const QString& family)
{
    QFont font(family);
    font.setPixelSize(72);
    QImage picture(900, 160, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(picture.rect(), Qt::AlignCenter, text);
    return picture;
}

QString withoutSpaces(const char* text)
{
    return QString::fromLocal8Bit(text).remove(QRegularExpression(QStringLiteral("\\s")));
}

class RealTesseract : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString launcher = tavix::ocr::programPath(tavix::ocr::applicationFolder());
        ASSERT_TRUE(QFileInfo(launcher).isExecutable()) << "the build places the launcher at " << launcher.toStdString();
        ASSERT_TRUE(dir.isValid());
    }
    QTemporaryDir dir;
};

TEST_F(RealTesseract, ReadsLatinTextFromAFileAndFromBase64)
{
    ASSERT_TRUE(QFontDatabase().families().contains("DejaVu Sans"));
    const QImage picture = render("Hello 123", "DejaVu Sans");
    const QString file = dir.filePath("hello picture.png");
    ASSERT_TRUE(picture.save(file));

    const char* text = TX_ocr_imgTextPath(file.toUtf8().constData());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(QString::fromLocal8Bit(text).trimmed(), "Hello 123");

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    render("Tavix 42", "DejaVu Sans").save(&buffer, "PNG");
    const QByteArray dataUrl = "data:image/png;base64," + png.toBase64();
    const char* fromBase64 = TX_ocr_imgText(dataUrl.constData());
    ASSERT_NE(fromBase64, nullptr);
    EXPECT_EQ(QString::fromLocal8Bit(fromBase64).trimmed(), "Tavix 42");
}

TEST_F(RealTesseract, ReadsSimplifiedChineseFromTheWorkingImage)
{
    if (!QFontDatabase().families().contains("WenQuanYi Micro Hei"))
        GTEST_SKIP() << "needs a CJK font (fonts-wqy-microhei)";
    TX_api_initialize();
    tavix::core::sharedRecord().image = render(QStringLiteral("中文识别"), "WenQuanYi Micro Hei");
    const char* text = TX_ocr_imgTextImage();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(withoutSpaces(text), QStringLiteral("中文识别"));
}

}  // namespace
