// The gutter: line numbers beside lines of any height, breakpoints by click and
// F9, the arrow at the paused line, and the editor as a user sees it.
#include <QFontDatabase>
#include <QFontInfo>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "editor_fixture.h"
#include "picture_data.h"

namespace vantor::test {
namespace {

QString pictureLine(int width, int height)
{
    return "imagev.mouseLeftClick(\"" + dataUrl(pngBytes(patternPicture(width, height))) + "\");";
}

QVector<int> lastEmission(const QSignalSpy& spy)
{
    return spy.isEmpty() ? QVector<int>{-99} : spy.last().at(0).value<QVector<int>>();
}

void clickGutter(MycodeEdit& editor, int y)
{
    QTest::mouseClick(editor.gutter(), Qt::LeftButton, Qt::NoModifier, QPoint(8, y));
}

bool isRed(QColor c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

bool isYellow(QColor c)
{
    return c.red() > 200 && c.green() > 150 && c.blue() < 100;
}

TEST_F(EditorTest, GutterClicksToggleTheLineBesideThemWhateverItsHeight)
{
    qRegisterMetaType<QVector<int>>();
    editor->setScriptText("first();\n" + pictureLine(200, 100) + "\nthird();\nfourth();\n");
    QSignalSpy spy(editor.get(), &MycodeEdit::setDebug);
    const struct {
        const char* what;
        int y;
        QVector<int> after;
    } clicks[] = {
        {"middle of line 3", lineY(3), {3}},
        {"upper part of the picture line", lineY(2, 10), {3, 2}},
        {"topmost row of line 3", lineY(3, 1), {2}},
        {"lower part of the picture line", lineY(2, 95), {}},
        {"line 1", lineY(1), {1}},
        {"the gutter's top pixel row", 0, {1}},
        {"below the last line", lineY(5) + 200, {1}},
    };
    for (const auto& click : clicks) {
        SCOPED_TRACE(click.what);
        clickGutter(*editor, click.y);
        EXPECT_EQ(editor->breakpoints(), click.after);
        EXPECT_EQ(lastEmission(spy), click.after);
    }
    // The mark is painted beside its line.
    const QImage gutter = editor->gutter()->grab().toImage();
    EXPECT_TRUE(isRed(gutter.pixelColor(8, lineY(1))));
    EXPECT_FALSE(isRed(gutter.pixelColor(8, lineY(3))));
}

TEST_F(EditorTest, F9TogglesTheCursorLineAndMarksDoNotMove)
{
    qRegisterMetaType<QVector<int>>();
    QString script;
    for (int i = 1; i <= 10; ++i)
        script += QStringLiteral("line%1();\n").arg(i);
    editor->setScriptText(script);
    QSignalSpy spy(editor.get(), &MycodeEdit::setDebug);
    QTextCursor cursor(editor->document()->findBlockByNumber(6));
    editor->setTextCursor(cursor);
    QTest::keyClick(editor.get(), Qt::Key_F9);
    EXPECT_EQ(editor->breakpoints(), QVector<int>{7});
    EXPECT_EQ(lastEmission(spy), QVector<int>{7});
    EXPECT_EQ(editor->toScriptText(), script);

    // A line inserted above leaves the mark on line 7.
    QTest::keyClick(editor.get(), Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(editor.get(), Qt::Key_Return);
    EXPECT_EQ(editor->breakpoints(), QVector<int>{7});
    const QImage gutter = editor->gutter()->grab().toImage();
    EXPECT_TRUE(isRed(gutter.pixelColor(8, lineY(7))));
    EXPECT_FALSE(isRed(gutter.pixelColor(8, lineY(8))));

    cursor = QTextCursor(editor->document()->findBlockByNumber(2));
    editor->setTextCursor(cursor);
    QTest::keyClick(editor.get(), Qt::Key_F9);
    QTest::keyClick(editor.get(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(editor.get(), Qt::Key_Up);
    QTest::keyClick(editor.get(), Qt::Key_F9);
    EXPECT_EQ(editor->breakpoints(), (QVector<int>{7, 3, 11}));
    editor->setTextCursor(cursor);
    editor->setDebugFlag();
    EXPECT_EQ(editor->breakpoints(), (QVector<int>{7, 11}));
    EXPECT_EQ(lastEmission(spy), (QVector<int>{7, 11}));
}

TEST_F(EditorTest, MarkDebugLineFindsTheRightOneOfEqualLines)
{
    QString script;
    for (int i = 1; i <= 200; ++i)
        script += (i == 3 || i == 100 || i == 180) ? QStringLiteral("x = 1;\n")
                                                   : QStringLiteral("step%1();\n").arg(i);
    editor->setScriptText(script);
    for (int line : {100, 180, 3}) {
        SCOPED_TRACE(line);
        editor->markDebugLine(line, "x = 1;");
        EXPECT_EQ(editor->debugLineNumber(), line);
        EXPECT_EQ(editor->textCursor().blockNumber(), line - 1);
        EXPECT_TRUE(editor->viewport()->rect().contains(editor->cursorRect()));
        const QImage gutter = editor->gutter()->grab().toImage();
        EXPECT_TRUE(isYellow(gutter.pixelColor(8, lineY(line))));
    }

    // Text that is not on that line: the arrow moves, the view stays.
    const int scroll = editor->verticalScrollBar()->value();
    editor->markDebugLine(4, "not in the script");
    EXPECT_EQ(editor->verticalScrollBar()->value(), scroll);
    EXPECT_EQ(editor->debugLineNumber(), 4);

    editor->markDebugLine(-1, "");
    EXPECT_EQ(editor->debugLineNumber(), -1);
    const QImage gutter = editor->gutter()->grab().toImage();
    for (int y = 0; y < gutter.height(); ++y)
        ASSERT_FALSE(isYellow(gutter.pixelColor(8, y))) << y;
}

TEST_F(EditorTest, GutterWidthFollowsTheDigitsOfTheLineCount)
{
    const int nine = QFontMetrics(editor->font()).horizontalAdvance(QLatin1Char('9'));
    editor->setScriptText("1\n2\n3\n4\n5\n6\n7\n8\n9");
    EXPECT_EQ(editor->lineNumberAreaWidth(), 26 + nine);
    EXPECT_EQ(editor->gutter()->width(), 26 + nine);
    QTest::keyClick(editor.get(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(editor.get(), Qt::Key_Return);
    EXPECT_EQ(editor->lineNumberAreaWidth(), 26 + 2 * nine);
    EXPECT_EQ(editor->gutter()->width(), 26 + 2 * nine);
}

// Rows of the number column that hold ink, between top and bottom.
QPair<int, int> inkRows(const QImage& gutter, int top, int bottom)
{
    int first = -1;
    int last = -1;
    const QColor background = gutter.pixelColor(gutter.width() - 2, 0);
    for (int y = qMax(0, top); y < qMin(bottom, gutter.height()); ++y)
        for (int x = 16; x < gutter.width() - 6; ++x)
            if (gutter.pixelColor(x, y) != background) {
                if (first < 0)
                    first = y;
                last = y;
            }
    return {first, last};
}

TEST_F(EditorTest, NumbersSitAtTheFootOfLowPicturesAndMidwayBesideTallOnes)
{
    editor->setScriptText("a();\n" + pictureLine(40, 25) + "\n" + pictureLine(40, 60) + "\nb();\n");
    const QImage gutter = editor->gutter()->grab().toImage();
    const int h = QFontMetrics(editor->font()).height();
    for (int line : {2, 3}) {
        SCOPED_TRACE(line);
        const int top = lineY(line, 0);
        const int bottom = lineY(line + 1, 0);
        const auto [first, last] = inkRows(gutter, top, bottom);
        ASSERT_GE(first, 0);
        const int centre = (first + last) / 2;
        if (line == 2)
            EXPECT_GT(centre, bottom - h);
        else
            EXPECT_LE(qAbs(centre - (top + bottom) / 2), h / 4);
    }
}

TEST_F(EditorTest, LooksRightWithPicturesChineseCommentsAndMarks)
{
    const QFontInfo font(editor->font());
    EXPECT_TRUE(
        QFontDatabase().writingSystems(font.family()).contains(QFontDatabase::SimplifiedChinese))
        << font.family().toStdString();

    const QString script =
        QStringLiteral(
            "// 登录脚本：点击按钮后输入用户名\n"
            "var ok = imagev.mouseLeftClick(\"%1\");\n"
            "if (ok) {\n"
            "    cs.keyPress(13); /* 回车确认 */\n"
            "    log.info(\"已登录\");\n"
            "}\n"
            "/* 等待窗口出现，\n"
            "   然后点击确定 */\n"
            "imagev.findImage(\"%2\", 0.9);\n"
            "sleep(500);\n")
            .arg(dataUrl(pngBytes(patternPicture(120, 40))))
            .arg(dataUrl(pngBytes(patternPicture(200, 100, QColor(40, 160, 90)))));
    editor->setScriptText(script);
    clickGutter(*editor, lineY(2));
    clickGutter(*editor, lineY(9));
    editor->markDebugLine(4, "    cs.keyPress(13); /* 回车确认 */");
    QTest::qWait(50);

    const QImage shot = editor->grab().toImage();
    const QString path = qEnvironmentVariable("EDITOR_SCREENSHOT");
    if (!path.isEmpty())
        shot.save(path);
    // The picture's yellow quarter and the red marks are on screen.
    int yellow = 0;
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            yellow += c == QColor(250, 220, 20);
            red += c == QColor(255, 0, 0);
        }
    EXPECT_GE(yellow, 60 * 20 + 100 * 50);
    EXPECT_GT(red, 2 * 100);
    EXPECT_EQ(editor->toScriptText(), script);
}

}  // namespace
}  // namespace vantor::test
