#include "editor_fixture.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QProcess>
#include <QTest>
#include <QTextDocument>

#include "display.h"

namespace vantor::test {

void EditorTest::SetUp()
{
    TAVIX_REQUIRE_X11();
    editor = std::make_unique<MycodeEdit>();
    highlighter = new CodeHighLighter(editor->document());
    editor->setAcceptDrops(true);
    editor->setGeometry(100, 100, 800, 600);
    editor->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    editor->activateWindow();
}

void EditorTest::TearDown()
{
    // An xclip left serving the clipboard ends when another client owns it.
    if (editor && QApplication::clipboard()->ownsClipboard() == false)
        QApplication::clipboard()->setText(QString());
    delete highlighter;
    editor.reset();
}

int EditorTest::lineY(int n, int offset) const
{
    const QTextBlock block = editor->document()->findBlockByNumber(n - 1);
    QTextCursor cursor(block);
    const QRect rect = editor->cursorRect(cursor);
    return offset < 0 ? rect.center().y() : rect.top() + offset;
}

QImage EditorTest::pictureOnLine(int n) const
{
    const QTextBlock block = editor->document()->findBlockByNumber(n - 1);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (format.isImageFormat())
            return editor->document()
                ->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()))
                .value<QImage>();
    }
    return QImage();
}

int EditorTest::pictureCount() const
{
    int count = 0;
    for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                count += it.fragment().length();
    return count;
}

bool EditorTest::drop(QMimeData* data, QPoint at)
{
    QWidget* target = editor->viewport();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent dropEvent(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropEvent);
    return dropEvent.isAccepted();
}

bool runXclip(const QStringList& args, const QByteArray& input, QByteArray* output)
{
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), args);
    if (!xclip.waitForStarted(5000))
        return false;
    if (!input.isNull()) {
        xclip.write(input);
        xclip.closeWriteChannel();
    }
    if (!QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 10000)) {
        xclip.kill();
        xclip.waitForFinished();
        return false;
    }
    if (output)
        *output = xclip.readAllStandardOutput();
    return xclip.exitStatus() == QProcess::NormalExit && xclip.exitCode() == 0;
}

bool clipboardFromXclip(const QByteArray& data, const char* type)
{
    if (!runXclip({"-selection", "clipboard", "-t", type, "-i"}, data))
        return false;
    // Qt learns of the new owner through an X event.
    return QTest::qWaitFor(
        [] {
            return !QApplication::clipboard()->ownsClipboard()
                && QApplication::clipboard()->mimeData()
                && !QApplication::clipboard()->mimeData()->formats().isEmpty();
        },
        5000);
}

QByteArray clipboardTextFromXclip()
{
    QByteArray text;
    if (!runXclip({"-selection", "clipboard", "-t", "UTF8_STRING", "-o"}, QByteArray(), &text))
        return QByteArray("<xclip failed>");
    return text;
}

}  // namespace vantor::test
