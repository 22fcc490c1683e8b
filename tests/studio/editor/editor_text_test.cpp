// Script text in and out of the editor: pictures shown inline, written back
// byte for byte, data URLs typed as text, and input that is not a picture.
#include <QElapsedTimer>
#include <QTest>
#include <QTextDocument>

#include "editor_fixture.h"
#include "log_capture.h"
#include "picture_data.h"

namespace vantor::test {
namespace {

TEST_F(EditorTest, ScriptTextComesBackByteForByte)
{
    const QString url = dataUrl(pngBytes(patternPicture(40, 20)));
    const QString other = dataUrl(pngBytes(patternPicture(30, 30, Qt::darkCyan)));
    const struct {
        const char* name;
        QString text;
        int pictures;
    } cases[] = {
        {"no picture", "cs.mouseMove(1, 2);\nlog.info(\"x\");\n", 0},
        {"one picture between quotes", "imagev.mouseLeftClick(\"" + url + "\");\n", 1},
        {"two on a line", "f(\"" + url + "\", \"" + other + "\"); g();\n", 2},
        {"picture at start and at end", "\"" + url + "\"\nx = 1;\n\"" + other + "\"", 2},
        {"marker without closing quote", "f(\"" + url + ");\nnext();\n", 0},
        {"CRLF line ends", "a();\r\nb(\"" + url + "\");\r\n\r\n", 1},
        {"mixed line ends", "a\r\nb\nc\rd\r\n", 0},
        {"Chinese text",
         QStringLiteral("// 点击登录按钮\nimagev.mouseLeftClick(\"") + url
             + QStringLiteral("\"); // 完成\n"),
         1},
        {"no final line end", "a();\nb();", 0},
        {"several final line ends", "a();\n\n\n", 0},
        {"empty", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        editor->setScriptText(c.text);
        EXPECT_EQ(pictureCount(), c.pictures);
        EXPECT_EQ(editor->toScriptText(), c.text);
    }
}

TEST_F(EditorTest, ShownPictureHasTheDecodedPixels)
{
    const QImage picture = patternPicture(64, 48);
    editor->setScriptText("imagev.mouseLeftClick(\"" + dataUrl(pngBytes(picture)) + "\");\n");
    ASSERT_EQ(pictureCount(), 1);
    EXPECT_EQ(pictureOnLine(1).convertToFormat(QImage::Format_ARGB32), picture);
    // The quotes stay text around the picture.
    EXPECT_EQ(editor->document()->firstBlock().text(),
              QStringLiteral("imagev.mouseLeftClick(\"") + QChar(QChar::ObjectReplacementCharacter)
                  + "\");");
}

TEST_F(EditorTest, SixteenBitPngSurvivesOpenAndSave)
{
    const QByteArray png16 = png16Bytes(23, 17);
    const QString text = "a = \"" + dataUrl(png16) + "\";\n";
    editor->setScriptText(text);
    ASSERT_EQ(pictureCount(), 1);
    EXPECT_EQ(pictureOnLine(1).depth(), 64);
    EXPECT_EQ(editor->toScriptText(), text);
    // Typing elsewhere leaves the picture's bytes alone too.
    QTest::keyClick(editor.get(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(editor.get(), "b = 1;");
    EXPECT_EQ(editor->toScriptText(), text + "b = 1;");
}

TEST_F(EditorTest, NewPicturesAreWrittenAsPngDataUrls)
{
    const QImage picture = patternPicture(20, 10);
    editor->setScriptText("x(\"\");");
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(3);
    editor->setTextCursor(cursor);
    editor->insertImageResource(QUrl("dropped_image_test"), picture);
    const QString text = editor->toScriptText();
    ASSERT_TRUE(text.startsWith("x(\"data:image/png;base64,iVBOR")) << text.left(60).toStdString();
    ASSERT_TRUE(text.endsWith("\");"));
    const QString payload = text.mid(3 + 22, text.size() - 3 - 22 - 3);
    EXPECT_EQ(QImage::fromData(QByteArray::fromBase64(payload.toLatin1()))
                  .convertToFormat(QImage::Format_ARGB32),
              picture);
}

TEST_F(EditorTest, InsertedScriptTextNamesItsPicturesApart)
{
    const QImage first = patternPicture(20, 10);
    const QImage second = patternPicture(20, 10, Qt::darkGreen);
    editor->setScriptText("");
    editor->insertScriptText("imagev.findImage(\"" + dataUrl(pngBytes(first)) + "\");\n");
    editor->insertScriptText("imagev.findImage(\"" + dataUrl(pngBytes(second)) + "\");\n");
    ASSERT_EQ(pictureCount(), 2);
    EXPECT_EQ(pictureOnLine(1).convertToFormat(QImage::Format_ARGB32), first);
    EXPECT_EQ(pictureOnLine(2).convertToFormat(QImage::Format_ARGB32), second);
    EXPECT_EQ(editor->textCursor().blockNumber(), 2);
}

TEST_F(EditorTest, DataUrlTypedAsTextBecomesAPictureAndUndoTakesItBackToText)
{
    const QImage picture = patternPicture(16, 8);
    const QString url = dataUrl(pngBytes(picture));
    editor->setScriptText("go();\n");
    QTest::keyClick(editor.get(), Qt::Key_End, Qt::ControlModifier);
    // Typed in pieces: the picture appears once the closing quote is there.
    editor->insertPlainText("f(\"" + url);
    EXPECT_EQ(pictureCount(), 0);
    QTest::keyClick(editor.get(), '"');
    ASSERT_EQ(pictureCount(), 1);
    EXPECT_EQ(pictureOnLine(2).convertToFormat(QImage::Format_ARGB32), picture);
    QTest::keyClick(editor.get(), ')');
    EXPECT_EQ(editor->toScriptText(), "go();\nf(\"" + url + "\")");
    EXPECT_EQ(editor->textCursor().position(), editor->document()->characterCount() - 1);

    QTest::keyClick(editor.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor->toScriptText(), "go();\nf(\"" + url + "\"");
    EXPECT_EQ(pictureCount(), 1);
    QTest::keyClick(editor.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(pictureCount(), 0);
    EXPECT_EQ(editor->toScriptText(), "go();\nf(\"" + url + "\"");
    // Then the typing itself goes (Qt merges the quote with the text before it).
    QTest::keyClick(editor.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(editor->toScriptText().startsWith("go();\n"));
    EXPECT_FALSE(editor->toScriptText().endsWith('"'));
}

TEST_F(EditorTest, LoadingCannotBeUndoneIntoAnEmptyDocument)
{
    editor->setScriptText("keep();\n");
    editor->undo();
    EXPECT_EQ(editor->toScriptText(), "keep();\n");
}

TEST_F(EditorTest, BadDataUrlsStayTextAndAreKept)
{
    QByteArray truncated = pngBytes(patternPicture(60, 40));
    truncated.truncate(truncated.size() / 2);
    QString huge = QStringLiteral("big = \"data:image/png;base64,");
    huge += QString(10 * 1024 * 1024, QLatin1Char('A')) + "\";\n";
    // A payload too long to show as text stands in the document as one object.
    const struct {
        const char* name;
        QString text;
        int objects;
    } cases[] = {
        {"not Base64", "a(\"data:image/png;base64,!!!%%%***\");\n", 0},
        {"not a picture", "a(\"" + dataUrl("GIF? no, plain words") + "\");\n", 0},
        {"truncated PNG", "a(\"" + dataUrl(truncated) + "\");\n", -1},
        {"10 MB data URL", huge, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tavix::test::LogCapture log;
        editor->setScriptText(c.text);
        EXPECT_EQ(editor->toScriptText(), c.text);
        if (c.objects >= 0) {
            EXPECT_EQ(pictureCount(), c.objects);
        }
        if (c.objects == 0) {
            EXPECT_TRUE(log.contains("not a picture")) << log.lines().join('\n').toStdString();
        }
        // Typing on the same line reads it again without losing it.
        QTest::keyClick(editor.get(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(editor.get(), "x");
        EXPECT_EQ(editor->toScriptText(), "x" + c.text);
    }
}

TEST_F(EditorTest, HundredThousandLinesLoadSaveAndTakeKeys)
{
    QString text;
    text.reserve(100000 * 24);
    for (int i = 0; i < 100000; ++i)
        text += QStringLiteral("var v%1 = cs.home(); // %2\n").arg(i).arg(i % 7 ? "x" : "注释");
    editor->setScriptText(text);
    EXPECT_EQ(editor->document()->blockCount(), 100001);
    EXPECT_EQ(editor->toScriptText(), text);
    QTest::keyClick(editor.get(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClicks(editor.get(), "y");
    EXPECT_TRUE(editor->toScriptText().startsWith("yvar v0"));
}

}  // namespace
}  // namespace vantor::test
