#include "text_recognition.h"

#include <QImage>
#include <QTemporaryDir>

#include "core/image_file.h"
#include "core/shared_state.h"
#include "core/text.h"
#include "ocr_program.h"

namespace tavix::ocr {

namespace {

constexpr int kResultSize = 16384;
core::ResultText<kResultSize, core::TooLong::KeepOld> result;

const QString kDataUrlPrefix = QStringLiteral("data:image/png;base64,");

// Stores `text` when it is at most 8191 UTF-16 units and its local 8-bit form
// fits the array with its terminator; otherwise the array keeps what it held.
void store(const QString& text)
{
    if (text.size() * 2 > kResultSize - 1) {
        qWarning("Recognised text of %d characters is too long to keep", int(text.size()));
        return;
    }
    const QByteArray local = text.toLocal8Bit();
    if (!result.fits(local.size()))
        qWarning("Recognised text of %d bytes is too long to keep", int(local.size()));
    result.set(local);
}

// Runs the program on `imagePath` with its output in `workFolder`, a folder
// of this call's own.
const char* recognise(const QString& imagePath, const QString& workFolder)
{
    const QString folder = ocr::applicationFolder();
    if (folder.isEmpty()) {
        qWarning("No application folder: the OCR program cannot be found");
        return result.data();
    }
    if (!ocr::runProgram(ocr::programPath(folder), ocr::programArguments(imagePath, workFolder)))
        return result.data();
    if (const std::optional<QString> text = ocr::readResultFile(ocr::resultFilePath(workFolder)))
        store(*text);
    return result.data();
}

const char* recogniseInTemporaryFolder(const QImage& picture)
{
    QTemporaryDir temporary;
    if (!temporary.isValid()) {
        qWarning("No temporary folder for the OCR picture: %s", qUtf8Printable(temporary.errorString()));
        return nullptr;
    }
    const QString imagePath = temporary.filePath(QStringLiteral("ocr.png"));
    if (picture.isNull())
        qWarning("OCR input is not a picture");
    else if (!picture.save(imagePath, "PNG"))
        qWarning("Could not write the OCR picture %s", qUtf8Printable(imagePath));
    return recognise(imagePath, temporary.path());
}

}  // namespace

const char* imgTextPath(const QString& path)
{
    QTemporaryDir temporary;
    if (!temporary.isValid()) {
        qWarning("No temporary folder for the OCR result: %s",
                 qUtf8Printable(temporary.errorString()));
        return result.data();
    }
    return recognise(path, temporary.path());
}

const char* imgText(const QString& base64Data)
{
    const QByteArray bytes = QByteArray::fromBase64(QString(base64Data).remove(kDataUrlPrefix).toLatin1());
    return recogniseInTemporaryFolder(core::decodeImageBytes(bytes));
}

const char* imgTextImage()
{
    return recogniseInTemporaryFolder(core::sharedRecord().image);
}

}  // namespace tavix::ocr
