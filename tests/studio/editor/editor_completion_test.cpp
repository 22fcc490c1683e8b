// Completion while typing, and the highlighter on the editor's document.
#include <QAbstractItemView>
#include <QCompleter>
#include <QGuiApplication>
#include <QJsonArray>
#include <QScreen>
#include <QTest>
#include <QTextLayout>
#include <algorithm>

#include "editor_fixture.h"

namespace vantor::test {
namespace {

QStringList popupEntries(QCompleter* completer)
{
    QStringList entries;
    QAbstractItemModel* model = completer->completionModel();
    for (int row = 0; row < model->rowCount(); ++row)
        entries << model->index(row, 0).data().toString();
    return entries;
}

class EditorCompletionTest : public EditorTest {
protected:
    QCompleter* completer() const { return editor->codeCompleter(); }
    bool popupShown() const
    {
        return QTest::qWaitFor([&] { return completer()->popup()->isVisible(); }, 3000);
    }
    // Keys go to the popup while it is open, as the window system sends them.
    void keyToPopup(Qt::Key key) { QTest::keyClick(completer()->popup(), key); }
};

TEST_F(EditorCompletionTest, DotAfterAHostObjectOffersItsMethodsOnce)
{
    editor->setScriptText("");
    editor->setFocus();
    QTest::keyClicks(editor.get(), "cs");
    EXPECT_FALSE(completer()->popup()->isVisible());
    QTest::keyClick(editor.get(), Qt::Key_Period);
    ASSERT_TRUE(popupShown());
    const QString shot = qEnvironmentVariable("EDITOR_POPUP_SCREENSHOT");
    if (!shot.isEmpty()) {
        QTest::qWait(100);
        QGuiApplication::primaryScreen()->grabWindow(0, 100, 100, 800, 600).save(shot);
    }
    const QStringList entries = popupEntries(completer());
    EXPECT_TRUE(entries.contains("mouseMove"));
    EXPECT_TRUE(entries.contains("mouseLeftClick"));
    EXPECT_EQ(entries.count("mouseMove"), 1);
    for (const char* hidden : {"destroyed", "objectNameChanged", "deleteLater"})
        EXPECT_FALSE(entries.contains(hidden)) << hidden;

    // Narrowing down, then Enter takes the entry, with parentheses and no line break.
    QTest::keyClicks(editor.get(), "mouseMo");
    ASSERT_TRUE(popupShown());
    EXPECT_EQ(popupEntries(completer()), QStringList{"mouseMove"});
    keyToPopup(Qt::Key_Return);
    EXPECT_FALSE(completer()->popup()->isVisible());
    EXPECT_EQ(editor->toScriptText(), "cs.mouseMove()");
}

TEST_F(EditorCompletionTest, PartialGlobalNameOffersMatchingGlobals)
{
    editor->setScriptText("");
    QTest::keyClicks(editor.get(), "x=ima");
    ASSERT_TRUE(popupShown());
    const QStringList entries = popupEntries(completer());
    EXPECT_TRUE(entries.contains("image"));
    EXPECT_TRUE(entries.contains("imagev"));
    for (const QString& entry : entries)
        EXPECT_TRUE(entry.contains("ima")) << entry.toStdString();

    // A click on an entry writes it in place of the fragment, without parentheses.
    QAbstractItemView* popup = completer()->popup();
    const QModelIndex imagev = completer()->completionModel()->index(entries.indexOf("imagev"), 0);
    popup->scrollTo(imagev);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, Qt::NoModifier,
                      popup->visualRect(imagev).center());
    EXPECT_EQ(editor->toScriptText(), "x=imagev");
    // The completed global is now the object whose methods a dot offers.
    QTest::keyClick(editor.get(), Qt::Key_Period);
    ASSERT_TRUE(popupShown());
    EXPECT_TRUE(popupEntries(completer()).contains("mouseLeftClick"));
}

// Down moves through the list; Enter takes the entry it reached, not the first.
TEST_F(EditorCompletionTest, EnterTakesTheEntryChosenWithTheArrowKeys)
{
    struct Case {
        const char* typed;
        const char* expectedPrefix;
        const char* suffix;
    };
    for (const Case& c : {Case{"cs.", "cs.", "()"}, Case{"x=ima", "x=", ""}}) {
        SCOPED_TRACE(c.typed);
        editor->setScriptText("");
        editor->setFocus();
        QTest::keyClicks(editor.get(), c.typed);
        ASSERT_TRUE(popupShown());
        const QStringList entries = popupEntries(completer());
        ASSERT_GE(entries.size(), 2);
        for (int down = std::min(2, int(entries.size()) - 1); down > 0; --down)
            keyToPopup(Qt::Key_Down);
        const QString chosen = completer()->popup()->currentIndex().data().toString();
        ASSERT_NE(chosen, entries.first());
        keyToPopup(Qt::Key_Return);
        EXPECT_EQ(editor->toScriptText(), c.expectedPrefix + chosen + c.suffix);
        EXPECT_FALSE(completer()->popup()->isVisible());
    }
}

TEST_F(EditorCompletionTest, UnknownFragmentsAndPastedDotsOfferNothing)
{
    editor->setScriptText("");
    QTest::keyClicks(editor.get(), "ima");
    ASSERT_TRUE(popupShown());
    QTest::keyClicks(editor.get(), "qqq");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !completer()->popup()->isVisible(); }, 3000));

    editor->setScriptText("");
    editor->insertPlainText("cs.");
    QTest::qWait(20);
    EXPECT_FALSE(completer()->popup()->isVisible());
}

TEST_F(EditorCompletionTest, HighlighterColoursTheEditorsBlocks)
{
    editor->setScriptText("cs.mouseMove(1, 2); // move\n/* one\ntwo\nthree */ var x;\n");
    const auto colourAt = [&](int line, int column) {
        const QTextBlock block = editor->document()->findBlockByNumber(line - 1);
        QColor colour;
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            if (column >= range.start && column < range.start + range.length)
                colour = range.format.foreground().color();
        return colour;
    };
    EXPECT_EQ(colourAt(1, 0), QColor(Qt::darkRed));
    EXPECT_EQ(colourAt(1, 5), QColor(Qt::blue));
    EXPECT_EQ(colourAt(1, 22), QColor(Qt::darkGreen));
    EXPECT_EQ(colourAt(2, 3), QColor(Qt::darkGreen));
    EXPECT_EQ(colourAt(3, 1), QColor(Qt::darkGreen));
    EXPECT_EQ(colourAt(4, 2), QColor(Qt::darkGreen));
    EXPECT_EQ(colourAt(4, 10), QColor(Qt::darkMagenta));

    // Closing the comment on line 2 gives lines 3 and 4 their own colours again.
    QTextCursor cursor(editor->document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::EndOfBlock);
    editor->setTextCursor(cursor);
    QTest::keyClicks(editor.get(), " */");
    EXPECT_FALSE(colourAt(3, 1).isValid());
    EXPECT_EQ(colourAt(4, 10), QColor(Qt::darkMagenta));
}

}  // namespace
}  // namespace vantor::test
