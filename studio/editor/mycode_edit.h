// The script editor: program text with template pictures shown inline, a
// gutter with line numbers, breakpoints and the paused-line arrow, and
// completion of the script API.
#pragma once

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QTextEdit>
#include <QUrl>
#include <QVector>
#include <QWidget>

class QCompleter;
class QImage;
class QTextBlock;
class QTextCursor;

namespace vantor {

class MycodeEdit;

// The gutter beside the editor; the editor paints it.
class MyLineNumberArea : public QWidget {
    Q_OBJECT
public:
    explicit MyLineNumberArea(MycodeEdit* editor);
    QSize sizeHint() const override;

signals:
    void areaClick(int h);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    MycodeEdit* codeEditor;
};

class MycodeEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit MycodeEdit(QWidget* parent = nullptr);
    ~MycodeEdit() override;

    // Replaces the document by script text; clears the edit history.
    void setScriptText(const QString& text);
    // Script text at the end of the document, quoted data URLs as pictures.
    void appendScriptText(const QString& text);
    // Script text at the text cursor, quoted data URLs as pictures.
    void insertScriptText(const QString& text);
    // The document as script text, pictures as data URLs.
    QString toScriptText() const;

    // 1-based breakpoint lines in the order they were set.
    QVector<int> breakpoints() const;
    // Shows the line a debugged run is paused at; n < 0 clears the arrow.
    void markDebugLine(int n, const QString& str);
    // The paused line shown by the arrow, -1 when none.
    int debugLineNumber() const { return debugLine; }

    // Adds a picture as a document resource named url and inserts it at the cursor.
    void insertImageResource(const QUrl& url, const QImage& image);
    // Inserts the text of a local file at the cursor; nothing when it cannot be read.
    void insertTextFile(const QUrl& url);

    int lineNumberAreaWidth() const;
    void lineNumberAreaPaintEvent(QPaintEvent* event);
    // Pixel height the gutter gives a block.
    int blockHeight(const QTextBlock& block) const;
    static int lineFeedCount(const QString& text);

    QCompleter* codeCompleter() const { return completer; }
    MyLineNumberArea* gutter() const { return lineNumberArea; }

signals:
    void setDebug(QVector<int> arr);

public slots:
    void setDebugFlag();
    void cut();
    void copy();
    void paste();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void highlightCurrentLine();
    void updateLineNumberAreaWidth(int newBlockCount);
    void updateLineNumberArea(const QRect& rect, int dy);
    void on_scroll(int position);
    void textChaged();
    void areaClick(int h);
    void initCompleter();
    void completeAfterTextChange();
    void handleCompleterActivated(const QString& text);
    void noteContentsChange(int position, int charsRemoved, int charsAdded);

private:
    struct Private;
    friend struct Private;

    // Inserts script text at cursor; automatic names for pictures, or counted ones.
    void insertScript(QTextCursor& cursor, const QString& text, bool countedNames);
    // The picture resource of an image object, null when there is none.
    QImage pictureResource(const QString& name) const;
    // A block's stretch of script text from its start up to `end` (exclusive, -1 for all).
    void appendBlockScript(QString& out, const QTextBlock& block, int from, int to) const;
    void readDataUrlsInChange();
    void showCompletions(const QStringList& candidates, bool shifted);

    MyLineNumberArea* lineNumberArea;
    int clickY;
    int debugLine;
    QVector<int> breakpointLines;
    QVector<QString> scriptNames;
    QJsonObject memberNames;
    QString currentObject;
    QString highlightedCompletion;
    QCompleter* completer;
    Private* d;
};

}  // namespace vantor
