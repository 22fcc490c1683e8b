// Cut, copy, paste and drops: pictures travel as data URLs in clipboard text.
#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

#include "editor_private.h"
#include "mycode_edit.h"

namespace vantor {

namespace {

bool isPictureSuffix(const QString& path)
{
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    return !suffix.isEmpty() && QImageReader::supportedImageFormats().contains(suffix);
}

}  // namespace

// The selection as script text: pictures as data URLs.
QMimeData* MycodeEdit::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    QString text;
    if (cursor.hasSelection()) {
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        for (QTextBlock block = document()->findBlock(start); block.isValid();
             block = block.next()) {
            const int from = qMax(0, start - block.position());
            const int to = qMin(block.length() - 1, end - block.position());
            appendBlockScript(text, block, from, to);
            if (block.position() + block.length() > end)
                break;
            text += QLatin1Char('\n');
        }
    }
    auto* data = new QMimeData;
    data->setText(text);
    return data;
}

void MycodeEdit::copy()
{
    if (!textCursor().hasSelection())
        return;
    QApplication::clipboard()->setMimeData(createMimeDataFromSelection());
}

void MycodeEdit::cut()
{
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
        copy();
        cursor.removeSelectedText();
    } else {
        cursor.deleteChar();
    }
    setTextCursor(cursor);
}

void MycodeEdit::paste()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    QTextCursor cursor = textCursor();
    if (data->hasImage()) {
        const QImage picture = qvariant_cast<QImage>(data->imageData());
        if (picture.isNull())
            qDebug() << "clipboard picture is empty; nothing pasted";
        else
            insertImageResource(QUrl(nextDroppedImageName()), picture);
        cursor = textCursor();
    }
    if (data->hasText()) {
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        insertScript(cursor, data->text(), false);
        cursor.endEditBlock();
        setTextCursor(cursor);
    }
    ensureCursorVisible();
}

bool MycodeEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasImage() || source->hasUrls() || QTextEdit::canInsertFromMimeData(source);
}

void MycodeEdit::insertFromMimeData(const QMimeData* source)
{
    if (source->hasImage()) {
        insertImageResource(QUrl(nextDroppedImageName()),
                            qvariant_cast<QImage>(source->imageData()));
        return;
    }
    if (source->hasUrls()) {
        for (const QUrl& url : source->urls()) {
            const QString path = url.toLocalFile();
            if (path.isEmpty()) {
                qDebug() << "not a local file, nothing inserted:" << url.toString();
                continue;
            }
            if (QFileInfo(path).isFile() && isPictureSuffix(path)) {
                const QImage picture(path);
                if (picture.isNull())
                    qDebug() << "picture file does not load, nothing inserted:" << path;
                // A name of its own: named after the file, a later drop of the
                // same file, changed since, would replace this picture's pixels.
                insertImageResource(QUrl(nextDroppedImageName()), picture);
            } else {
                insertTextFile(url);
            }
        }
        return;
    }
    if (source->hasText()) {
        QTextCursor cursor = textCursor();
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        insertScript(cursor, source->text(), false);
        cursor.endEditBlock();
        setTextCursor(cursor);
    }
}

}  // namespace vantor
