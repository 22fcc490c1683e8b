#include "mycode_edit.h"

#include <QCompleter>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

namespace vantor {

struct MycodeEdit::Private {};

MyLineNumberArea::MyLineNumberArea(MycodeEdit* editor) : QWidget(editor), codeEditor(editor) {}

QSize MyLineNumberArea::sizeHint() const { return QSize(codeEditor->lineNumberAreaWidth(), 0); }

void MyLineNumberArea::paintEvent(QPaintEvent* event) { codeEditor->lineNumberAreaPaintEvent(event); }

void MyLineNumberArea::mousePressEvent(QMouseEvent* event)
{
    emit areaClick(qRound(event->localPos().y()));
}

MycodeEdit::MycodeEdit(QWidget* parent)
    : QTextEdit(parent), lineNumberArea(new MyLineNumberArea(this)), clickY(-1), debugLine(-1),
      completer(nullptr), d(new Private)
{
    setLineWrapMode(QTextEdit::NoWrap);
    updateLineNumberAreaWidth(0);
}

MycodeEdit::~MycodeEdit() { delete d; }

void MycodeEdit::setScriptText(const QString& text) { setPlainText(text); }
void MycodeEdit::appendScriptText(const QString& text)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}
void MycodeEdit::insertScriptText(const QString& text) { textCursor().insertText(text); }
QString MycodeEdit::toScriptText() const { return toPlainText(); }
QVector<int> MycodeEdit::breakpoints() const { return breakpointLines; }
void MycodeEdit::markDebugLine(int n, const QString&)
{
    debugLine = n;
    lineNumberArea->update();
}
void MycodeEdit::insertImageResource(const QUrl& url, const QImage& image)
{
    if (image.isNull())
        return;
    document()->addResource(QTextDocument::ImageResource, url, image);
    textCursor().insertImage(url.toString());
}
void MycodeEdit::insertTextFile(const QUrl&) {}
int MycodeEdit::lineNumberAreaWidth() const
{
    int digits = QString::number(qMax(1, document()->blockCount())).size();
    return 26 + digits * fontMetrics().horizontalAdvance(QLatin1Char('9'));
}
void MycodeEdit::lineNumberAreaPaintEvent(QPaintEvent* event)
{
    QPainter painter(lineNumberArea);
    painter.fillRect(event->rect(), QColor("#e0e0e0"));
}
int MycodeEdit::blockHeight(const QTextBlock&) const { return fontMetrics().height(); }
int MycodeEdit::lineFeedCount(const QString& text)
{
    QString t = text;
    return t.replace(QLatin1String("\r\n"), QLatin1String("\n")).count(QLatin1Char('\n'));
}
void MycodeEdit::setDebugFlag()
{
    int line = textCursor().blockNumber() + 1;
    if (breakpointLines.contains(line))
        breakpointLines.removeAll(line);
    else
        breakpointLines.append(line);
    emit setDebug(breakpointLines);
    lineNumberArea->update();
}
void MycodeEdit::cut() { QTextEdit::cut(); }
void MycodeEdit::copy() { QTextEdit::copy(); }
void MycodeEdit::paste() { QTextEdit::paste(); }
void MycodeEdit::keyPressEvent(QKeyEvent* event) { QTextEdit::keyPressEvent(event); }
void MycodeEdit::wheelEvent(QWheelEvent* event) { QTextEdit::wheelEvent(event); }
void MycodeEdit::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    QRect cr = contentsRect();
    lineNumberArea->setGeometry(QRect(cr.left(), cr.top(), lineNumberAreaWidth(), cr.height()));
}
void MycodeEdit::contextMenuEvent(QContextMenuEvent* event) { QTextEdit::contextMenuEvent(event); }
bool MycodeEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return QTextEdit::canInsertFromMimeData(source);
}
void MycodeEdit::insertFromMimeData(const QMimeData* source) { QTextEdit::insertFromMimeData(source); }
QMimeData* MycodeEdit::createMimeDataFromSelection() const { return QTextEdit::createMimeDataFromSelection(); }
bool MycodeEdit::eventFilter(QObject* watched, QEvent* event) { return QTextEdit::eventFilter(watched, event); }
void MycodeEdit::highlightCurrentLine() {}
void MycodeEdit::updateLineNumberAreaWidth(int) { setViewportMargins(lineNumberAreaWidth() + 6, 0, 0, 0); }
void MycodeEdit::updateLineNumberArea(const QRect&, int) { lineNumberArea->update(); }
void MycodeEdit::on_scroll(int) { lineNumberArea->update(); }
void MycodeEdit::textChaged() {}
void MycodeEdit::areaClick(int h) { clickY = h; }
void MycodeEdit::initCompleter() {}
void MycodeEdit::completeAfterTextChange() {}
void MycodeEdit::handleCompleterActivated(const QString&) {}
void MycodeEdit::noteContentsChange(int, int, int) {}

}  // namespace vantor
