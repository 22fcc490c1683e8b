// Cut, copy, paste through the real X clipboard (another client, xclip, on the
// other end) and drops of pictures, files and text.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "editor_fixture.h"
#include "log_capture.h"
#include "picture_data.h"

namespace vantor::test {
namespace {

void selectAll(MycodeEdit& editor)
{
    QTest::keyClick(&editor, Qt::Key_A, Qt::ControlModifier);
}

TEST_F(EditorTest, PastesAPictureFromTheClipboard)
{
    const QImage picture = patternPicture(48, 24);
    editor->setScriptText("imagev.mouseLeftClick(\"\");");
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(23);  // between the quotes
    editor->setTextCursor(cursor);
    ASSERT_TRUE(clipboardFromXclip(pngBytes(picture), "image/png"));
    QTest::keyClick(editor.get(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(pictureCount(), 1);
    EXPECT_EQ(pictureOnLine(1).convertToFormat(QImage::Format_ARGB32), picture);
    const QString text = editor->toScriptText();
    ASSERT_TRUE(text.startsWith("imagev.mouseLeftClick(\"data:image/png;base64,iVBOR"));
    EXPECT_TRUE(text.endsWith("\");"));
}

TEST_F(EditorTest, PastedTextWithDataUrlsGetsItsPicturesInPlace)
{
    const QImage first = patternPicture(20, 20);
    const QImage second = patternPicture(30, 10, Qt::magenta);
    const QString pasted = "a(\"" + dataUrl(pngBytes(first)) + "\");\nb(\""
        + dataUrl(pngBytes(second)) + "\", 2); // 第二张\n";
    editor->setScriptText("old();\n");
    ASSERT_TRUE(clipboardFromXclip(pasted.toUtf8(), "UTF8_STRING"));
    editor->paste();
    ASSERT_EQ(pictureCount(), 2);
    EXPECT_EQ(pictureOnLine(1).convertToFormat(QImage::Format_ARGB32), first);
    EXPECT_EQ(pictureOnLine(2).convertToFormat(QImage::Format_ARGB32), second);
    // Pasted at the start of the document: the old text follows the pasted text.
    EXPECT_EQ(editor->toScriptText(), pasted + "old();\n");
}

TEST_F(EditorTest, PastedMarkerWithoutClosingQuoteStaysText)
{
    const QString pasted = "x(\"" + dataUrl(pngBytes(patternPicture(8, 8)));
    editor->setScriptText("");
    ASSERT_TRUE(clipboardFromXclip(pasted.toUtf8(), "UTF8_STRING"));
    editor->paste();
    EXPECT_EQ(pictureCount(), 0);
    EXPECT_EQ(editor->toScriptText(), pasted);
}

TEST_F(EditorTest, CopyPutsTheSelectionWithDataUrlsOnTheClipboard)
{
    const QByteArray png = pngBytes(patternPicture(24, 12));
    const QString script = "imagev.mouseLeftClick(\"" + dataUrl(png) + "\"); // 点击\nnext();\n";
    editor->setScriptText(script);
    selectAll(*editor);
    QTest::keyClick(editor.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QString::fromUtf8(clipboardTextFromXclip()), script);

    // A selection of part of the first line: the call up to its end.
    QTextCursor cursor(editor->document());
    cursor.setPosition(7);
    cursor.setPosition(26, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->copy();
    EXPECT_EQ(QString::fromUtf8(clipboardTextFromXclip()),
              "mouseLeftClick(\"" + dataUrl(png) + "\")");

    // Pasting it back restores the picture.
    QTest::keyClick(editor.get(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(editor.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(pictureCount(), 2);
    EXPECT_EQ(editor->toScriptText(), script + "mouseLeftClick(\"" + dataUrl(png) + "\")");
}

TEST_F(EditorTest, CutTakesTheSelectionOut)
{
    const QByteArray png = pngBytes(patternPicture(10, 10));
    editor->setScriptText("keep(); cut(\"" + dataUrl(png) + "\");");
    QTextCursor cursor(editor->document());
    cursor.setPosition(8);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    QTest::keyClick(editor.get(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(editor->toScriptText(), "keep(); ");
    EXPECT_EQ(QString::fromUtf8(clipboardTextFromXclip()), "cut(\"" + dataUrl(png) + "\");");
}

TEST_F(EditorTest, ContextMenuOffersCutCopyPaste)
{
    editor->setScriptText("menu();");
    QTimer::singleShot(0, [] {});
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(60, 10),
                            editor->mapToGlobal(QPoint(60, 10)));
    QApplication::sendEvent(editor->viewport(), &event);
    QMenu* menu = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            return menu != nullptr;
        },
        5000));
    QStringList labels;
    for (QAction* action : menu->actions())
        labels << action->text();
    EXPECT_EQ(labels, (QStringList{"剪切", "复制", "粘贴"}));
    EXPECT_EQ(menu->actions().at(2)->shortcut(), QKeySequence(QKeySequence::Paste));
    menu->close();
}

class EditorDropTest : public EditorTest {
protected:
    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
};

TEST_F(EditorDropTest, PictureFileTextFileAndBothInOrder)
{
    const QImage picture = patternPicture(36, 18);
    const QString png = write("button.png", pngBytes(picture));
    const QString js = write("lib.js", "function lib() {}\n// 注释\n");
    editor->setScriptText("");

    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(png)});
    ASSERT_TRUE(drop(data));
    delete data;
    ASSERT_EQ(pictureCount(), 1);
    EXPECT_EQ(pictureOnLine(1).convertToFormat(QImage::Format_ARGB32), picture);

    editor->setScriptText("");
    data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(js)});
    ASSERT_TRUE(drop(data));
    delete data;
    EXPECT_EQ(editor->toScriptText(), "function lib() {}\n// 注释\n");

    editor->setScriptText("");
    data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(js), QUrl::fromLocalFile(png)});
    ASSERT_TRUE(drop(data));
    delete data;
    EXPECT_EQ(pictureCount(), 1);
    EXPECT_TRUE(editor->toScriptText().startsWith(
        "function lib() {}\n// 注释\ndata:image/png;base64,iVBOR"));
}

// Each drop keeps the pixels it was given: a file changed and dropped again
// does not change the picture dropped from it before.
TEST_F(EditorDropTest, APictureFileDroppedAgainAfterItChangedKeepsTheEarlierPicture)
{
    const QImage first = patternPicture(20, 10);
    QImage second(20, 10, QImage::Format_ARGB32);
    second.fill(QColor(10, 200, 30));
    const QString png = write("shot.png", pngBytes(first));
    editor->setScriptText("\n");
    for (int line = 1; line <= 2; ++line) {
        write("shot.png", pngBytes(line == 1 ? first : second));
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(png)});
        ASSERT_TRUE(drop(data, QPoint(40, lineY(line))));
        delete data;
    }
    ASSERT_EQ(pictureCount(), 2);
    EXPECT_EQ(pictureOnLine(1).convertToFormat(QImage::Format_ARGB32), first);
    EXPECT_EQ(pictureOnLine(2).convertToFormat(QImage::Format_ARGB32), second);
}

TEST_F(EditorDropTest, ImageDataAndTextWithADataUrl)
{
    const QImage picture = patternPicture(22, 11);
    editor->setScriptText("");
    auto* data = new QMimeData;
    data->setImageData(picture);
    ASSERT_TRUE(drop(data));
    delete data;
    ASSERT_EQ(pictureCount(), 1);
    EXPECT_EQ(pictureOnLine(1).convertToFormat(QImage::Format_ARGB32), picture);

    const QString text = "find(\"" + dataUrl(pngBytes(picture)) + "\");";
    editor->setScriptText("");
    data = new QMimeData;
    data->setText(text);
    ASSERT_TRUE(drop(data));
    delete data;
    EXPECT_EQ(pictureCount(), 1);
    EXPECT_EQ(editor->toScriptText(), text);
}

TEST_F(EditorDropTest, DirectoriesMissingAndBinaryFilesInsertNothingHarmful)
{
    QByteArray binary("abc\0def", 7);
    const QString bin = write("data.bin", binary);
    const QString brokenPng = write("broken.png", "not a png at all");
    editor->setScriptText("text();\n");
    tavix::test::LogCapture log;
    for (const QString& path : {dir.path(), dir.filePath("missing.js"), brokenPng}) {
        SCOPED_TRACE(path.toStdString());
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path)});
        drop(data);
        delete data;
        EXPECT_EQ(editor->toScriptText(), "text();\n");
    }
    EXPECT_TRUE(log.contains("not a file")) << log.lines().join('\n').toStdString();
    EXPECT_TRUE(log.contains("does not load")) << log.lines().join('\n').toStdString();

    // A binary file goes in up to its first zero byte.
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(bin)});
    drop(data, QPoint(1, 1));
    delete data;
    EXPECT_EQ(editor->toScriptText(), "abctext();\n");
}

}  // namespace
}  // namespace vantor::test
