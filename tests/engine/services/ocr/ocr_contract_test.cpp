// The recognition routine's contract, with a stand-in OCR program that
// answers on cue: its arguments, the result file's reading, the storage limit,
// the time limit and the temporary picture.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <string>

#include "../../hostile_pictures.h"
#include "core/shared_state.h"
#include "log_capture.h"
#include "services/ocr/ocr_program.h"
#include "tavix.h"

using tavix::test::LogCapture;
namespace ocr = tavix::ocr;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QImage samplePicture()
{
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int x = 5; x < 35; ++x)
        picture.setPixel(x, 10, qRgb(0, 0, 0));
    return picture;
}

QByteArray pngBase64(const QImage& picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png.toBase64();
}

class OcrContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.isValid());
        ASSERT_TRUE(QDir().mkpath(app.filePath("ocr")));
        const QString source = qEnvironmentVariable("TAVIX_SOURCE_DIR") + "/tests/engine/services/ocr/fake_ocr_program.sh";
        ASSERT_TRUE(QFile::copy(source, program())) << source.toStdString();
        QFile::setPermissions(program(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ocr::setApplicationFolderForTesting(app.path());
    }
    void TearDown() override
    {
        ocr::setApplicationFolderForTesting(QString());
        ocr::setTimeLimitForTesting(0);
        qunsetenv("TAVIX_FAKE_OCR_CUE");
    }

    QString program() const { return app.filePath("ocr/tesseract"); }
    QString resultFile() const { return app.filePath("ocr/ocr.txt"); }

    static std::string recognise(const char* cue, const char* path = "picture.png")
    {
        qputenv("TAVIX_FAKE_OCR_CUE", cue);
        const char* text = TX_ocr_imgTextPath(path);
        return text ? std::string(text) : std::string("<null>");
    }

    QTemporaryDir app;
};

// Runs first: nothing has been recognised in this process yet.
TEST_F(OcrContract, AFailedCallBeforeAnyRecognitionGivesAnEmptyTextNotNull)
{
    QFile::remove(program());
    LogCapture log;
    const char* text = TX_ocr_imgTextPath("picture.png");
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "");
    EXPECT_TRUE(log.contains("did not start"));
}

TEST_F(OcrContract, TheProgramGetsItsFourArgumentsWithSpacesKeptAndAnOutputOfTheCallsOwn)
{
    const QStringList first =
        QString::fromStdString(recognise("args", "my pictures/a b.png")).split('\n');
    ASSERT_EQ(first.size(), 5);
    EXPECT_EQ(first[0], "my pictures/a b.png");
    EXPECT_EQ(first.mid(2), (QStringList{"-l", "chi_sim", ""}));
    EXPECT_EQ(ocr::programPath(app.path()), app.path() + "/ocr/tesseract");
    // The output base lies in a temporary folder of the call, removed after it,
    // never in the program's folder: two recognitions at once do not meet.
    const QFileInfo output(first[1]);
    EXPECT_EQ(output.fileName(), "ocr");
    EXPECT_FALSE(output.absoluteFilePath().startsWith(app.path())) << first[1].toStdString();
    EXPECT_FALSE(QFileInfo::exists(output.path())) << "temporary folder removed";
    const QStringList second = QString::fromStdString(recognise("args")).split('\n');
    ASSERT_EQ(second.size(), 5);
    EXPECT_NE(second[1], first[1]);
}

TEST_F(OcrContract, ResultFileIsReadInTextModeUpToAZeroByte)
{
    EXPECT_EQ(recognise("crlf"), "first line\nsecond line\n\n");
    EXPECT_EQ(recognise("zero"), "before");
    EXPECT_EQ(recognise("text:识别 ok"), "识别 ok");
}

TEST_F(OcrContract, StorageLimitKeepsThePreviousTextForLongerResults)
{
    struct Case {
        const char* cue;
        std::size_t length;  // bytes expected back; 0: the previous text
    };
    const Case cases[] = {
        {"units:8191", 8191},
        {"units:8192", 0},
        {"units:100000", 0},
        // Each of these takes three bytes in the local (UTF-8) form:
        // 5461 fill 16383 bytes, 5462 would overrun the array.
        {"cjk:5461", 16383},
        {"cjk:5462", 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(recognise("text:previous"), "previous");
        const std::string text = recognise(c.cue);
        if (c.length)
            EXPECT_EQ(text.size(), c.length) << c.cue;
        else
            EXPECT_EQ(text, "previous") << c.cue;
    }
}

TEST_F(OcrContract, AResultFileInTheProgramsFolderIsNeverRead)
{
    ASSERT_EQ(recognise("text:first run"), "first run");
    writeAll(resultFile(), "left behind");
    LogCapture log;
    EXPECT_EQ(recognise("silent"), "first run") << "the array keeps its text";
    EXPECT_TRUE(log.contains("cannot be read"));
}

TEST_F(OcrContract, AProgramThatDoesNotStartLeavesTheTextAsItWas)
{
    ASSERT_EQ(recognise("text:kept"), "kept");
    QFile::setPermissions(program(), QFile::ReadOwner | QFile::WriteOwner);
    LogCapture log;
    EXPECT_EQ(recognise("text:never"), "kept");
    EXPECT_TRUE(log.contains("did not start"));
}

TEST_F(OcrContract, AProgramStillRunningAtTheLimitIsKilled)
{
    ASSERT_EQ(recognise("text:before the hang"), "before the hang");
    ocr::setTimeLimitForTesting(300);
    LogCapture log;
    EXPECT_EQ(recognise("hang"), "before the hang");
    EXPECT_TRUE(log.contains("still running after 300 ms"));
    const pid_t pid = readAll(app.filePath("ocr/ocr.pid")).trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_EQ(::kill(pid, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

TEST_F(OcrContract, Base64WithOrWithoutPrefixIsWrittenAsAPngInAFolderRemovedAfterwards)
{
    const QByteArray base64 = pngBase64(samplePicture());
    std::string seenPath;
    for (const QByteArray& input : {base64, "data:image/png;base64," + base64, base64.left(20) + "\n\t*" + base64.mid(20)}) {
        qputenv("TAVIX_FAKE_OCR_CUE", "image");
        const char* text = TX_ocr_imgText(input.constData());
        ASSERT_NE(text, nullptr);
        const std::string answer = text;
        ASSERT_EQ(answer.rfind("image ", 0), 0u) << answer;
        seenPath = answer.substr(6);
        EXPECT_EQ(QFileInfo(QString::fromStdString(seenPath)).fileName(), "ocr.png");
        EXPECT_FALSE(QFileInfo::exists(QFileInfo(QString::fromStdString(seenPath)).path())) << "temporary folder removed";
        QImage seen(app.filePath("ocr/ocr.seen.png"), "PNG");
        EXPECT_EQ(seen.convertToFormat(QImage::Format_RGB32), samplePicture());
    }
}

TEST_F(OcrContract, UndecodableInputStillRunsTheProgramOnAMissingPicture)
{
    for (const char* input : {"!!!not base64!!!", "", "data:image/png;base64,", "SGVsbG8=", static_cast<const char*>(nullptr)}) {
        qputenv("TAVIX_FAKE_OCR_CUE", "image");
        const char* text = TX_ocr_imgText(input);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(std::string(text).rfind("no image ", 0), 0u) << text;
    }
    EXPECT_NE(TX_ocr_imgTextPath(nullptr), nullptr);
}

TEST_F(OcrContract, APictureClaimingAHugeSizeIsRefusedBeforeDecoding)
{
    qputenv("TAVIX_FAKE_OCR_CUE", "image");
    LogCapture log;
    const char* text = TX_ocr_imgText(tavix::test::hugePng().toBase64().constData());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text).rfind("no image ", 0), 0u) << text;
    EXPECT_TRUE(log.contains("Refusing to decode a 100000 x 100000 picture"));
}

TEST_F(OcrContract, TheWorkingImageIsRecognisedThroughATemporaryPicture)
{
    TX_api_initialize();
    qputenv("TAVIX_FAKE_OCR_CUE", "image");
    EXPECT_EQ(std::string(TX_ocr_imgTextImage()).rfind("no image ", 0), 0u) << "null working image";

    tavix::core::sharedRecord().image = samplePicture();
    const char* text = TX_ocr_imgTextImage();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text).rfind("image ", 0), 0u) << text;
    EXPECT_EQ(QImage(app.filePath("ocr/ocr.seen.png")).convertToFormat(QImage::Format_RGB32), samplePicture());
}

TEST_F(OcrContract, WithoutATemporaryFolderNothingRunsAndNullComesBack)
{
    ASSERT_EQ(recognise("text:untouched"), "untouched");
    QFile::remove(resultFile());
    const QByteArray savedTmp = qgetenv("TMPDIR");
    // A file where the temporary folder should be: nothing can be made in it.
    writeAll(app.filePath("not-a-folder"), "file");
    qputenv("TMPDIR", QFile::encodeName(app.filePath("not-a-folder")));
    qputenv("TAVIX_FAKE_OCR_CUE", "args");
    tavix::core::sharedRecord().image = samplePicture();
    LogCapture log;
    EXPECT_EQ(TX_ocr_imgText(pngBase64(samplePicture()).constData()), nullptr);
    EXPECT_EQ(TX_ocr_imgTextImage(), nullptr);
    if (savedTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmp);
    EXPECT_FALSE(QFile::exists(resultFile())) << "the program did not run";
    EXPECT_TRUE(log.contains("No temporary folder"));
}

}  // namespace
