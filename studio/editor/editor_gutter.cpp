// The gutter: line numbers, breakpoints and the paused-line arrow.
#include <QAbstractTextDocumentLayout>
#include <QDebug>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include "editor_private.h"
#include "mycode_edit.h"

namespace vantor {

namespace {

constexpr int kMarkSize = 16;
const QColor kGutterBackground(0xe0, 0xe0, 0xe0);

// The arrow at the paused line: the studio's picture when it has one.
void drawArrow(QPainter& painter, const QRect& square)
{
    static const QPixmap picture(QStringLiteral(":/img/yjt.png"));
    if (!picture.isNull()) {
        painter.drawPixmap(square, picture);
        return;
    }
    QPainterPath arrow;
    const QRectF r(square);
    arrow.moveTo(r.left() + 1, r.top() + r.height() * 0.3);
    arrow.lineTo(r.left() + r.width() * 0.5, r.top() + r.height() * 0.3);
    arrow.lineTo(r.left() + r.width() * 0.5, r.top() + 1);
    arrow.lineTo(r.right(), r.center().y());
    arrow.lineTo(r.left() + r.width() * 0.5, r.bottom() - 1);
    arrow.lineTo(r.left() + r.width() * 0.5, r.top() + r.height() * 0.7);
    arrow.lineTo(r.left() + 1, r.top() + r.height() * 0.7);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(160, 120, 0), 1));
    painter.setBrush(QColor(255, 210, 0));
    painter.drawPath(arrow);
}

// Where the number of a block of height bh goes: at the foot of blocks up to
// 20 pixels taller than the text, in the middle of taller ones.
int numberOffset(int bh, int h)
{
    const int extra = bh - h;
    if (extra < 0)
        return 0;
    return extra < 21 ? extra : extra / 2;
}

// The block whose layout reaches down to y or past it, found by halving: the
// layout's own hit test walks the blocks one by one.
QTextBlock blockAtY(QTextDocument* document, qreal y)
{
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    int low = 0;
    int high = document->blockCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (layout->blockBoundingRect(document->findBlockByNumber(middle)).top() <= y)
            low = middle;
        else
            high = middle - 1;
    }
    return document->findBlockByNumber(low);
}

}  // namespace

MyLineNumberArea::MyLineNumberArea(MycodeEdit* editor) : QWidget(editor), codeEditor(editor) {}

QSize MyLineNumberArea::sizeHint() const
{
    return QSize(codeEditor->lineNumberAreaWidth(), 0);
}

void MyLineNumberArea::paintEvent(QPaintEvent* event)
{
    codeEditor->lineNumberAreaPaintEvent(event);
}

void MyLineNumberArea::mousePressEvent(QMouseEvent* event)
{
    emit areaClick(qRound(event->localPos().y()));
}

int MycodeEdit::lineNumberAreaWidth() const
{
    const int digits = QString::number(qMax(1, document()->blockCount())).size();
    return 26 + digits * QFontMetrics(font()).horizontalAdvance(QLatin1Char('9'));
}

void MycodeEdit::updateLineNumberAreaWidth(int newBlockCount)
{
    Q_UNUSED(newBlockCount);
    if (d->holdGutterWidth)
        return;
    const int width = lineNumberAreaWidth();
    if (viewportMargins().left() != width + 6)
        setViewportMargins(width + 6, 0, 0, 0);
    const QRect cr = contentsRect();
    if (lineNumberArea->width() != width)
        lineNumberArea->setGeometry(QRect(cr.left(), cr.top(), width, cr.height()));
}

void MycodeEdit::updateLineNumberArea(const QRect& rect, int dy)
{
    if (dy)
        lineNumberArea->scroll(0, dy);
    else
        lineNumberArea->update(0, rect.y(), lineNumberArea->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        updateLineNumberAreaWidth(0);
}

void MycodeEdit::on_scroll(int position)
{
    Q_UNUSED(position);
    lineNumberArea->update();
}

// Heights come from the document's layout, so that numbers, marks and clicks
// stay beside their lines however tall pictures make them.
int MycodeEdit::blockHeight(const QTextBlock& block) const
{
    return qRound(document()->documentLayout()->blockBoundingRect(block).height());
}

int MycodeEdit::lineFeedCount(const QString& text)
{
    int count = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\n'))
            ++count;
    }
    return count;
}

void MycodeEdit::lineNumberAreaPaintEvent(QPaintEvent* event)
{
    QPainter painter(lineNumberArea);
    painter.fillRect(event->rect(), kGutterBackground);
    painter.setFont(font());
    painter.setRenderHint(QPainter::Antialiasing);

    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    const int scroll = verticalScrollBar()->value();
    const int h = QFontMetrics(font()).height();
    const int numberWidth = lineNumberArea->width() - 22;
    QTextBlock block = blockAtY(document(), scroll);
    for (; block.isValid(); block = block.next()) {
        const QRectF bounds = layout->blockBoundingRect(block);
        const int top = qRound(bounds.top()) - scroll;
        const int bh = qRound(bounds.height());
        if (top > lineNumberArea->height())
            break;
        if (top + bh < 0)
            continue;
        const int line = block.blockNumber() + 1;
        painter.setPen(Qt::gray);
        painter.drawText(QRect(16, top + numberOffset(bh, h), numberWidth, h),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(line));
        const QRect square(0, top + (bh - kMarkSize) / 2, kMarkSize, kMarkSize);
        if (breakpointLines.contains(line)) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 0, 0));
            painter.drawEllipse(square);
        }
        if (debugLine == line)
            drawArrow(painter, square);
    }
    // Receivers take each emission as the complete list.
    emit setDebug(breakpointLines);
}

namespace {

// Toggles line in lines; true when it was added.
bool toggleLine(QVector<int>& lines, int line)
{
    if (lines.removeAll(line) > 0) {
        qDebug().noquote() << QString::number(line) + QStringLiteral("被取消点击\n");
        return false;
    }
    lines.append(line);
    qDebug().noquote() << QString::number(line) + QStringLiteral("被点击\n");
    return true;
}

}  // namespace

void MycodeEdit::setDebugFlag()
{
    const int line = textCursor().blockNumber() + 1;
    toggleLine(breakpointLines, line);
    clickY = -1;
    qDebug() << "行数" << line;
    emit setDebug(breakpointLines);
    lineNumberArea->update();
}

void MycodeEdit::areaClick(int h)
{
    clickY = h;
    // The topmost pixel row toggles nothing.
    if (clickY >= 1) {
        QAbstractTextDocumentLayout* layout = document()->documentLayout();
        const qreal y = clickY + verticalScrollBar()->value();
        const QTextBlock block = blockAtY(document(), y);
        const QRectF bounds = layout->blockBoundingRect(block);
        if (bounds.top() <= y && y <= bounds.bottom()) {
            toggleLine(breakpointLines, block.blockNumber() + 1);
            emit setDebug(breakpointLines);
        }
        clickY = -1;
    }
    lineNumberArea->update();
}

QVector<int> MycodeEdit::breakpoints() const
{
    return breakpointLines;
}

void MycodeEdit::markDebugLine(int n, const QString& str)
{
    debugLine = n;
    if (n < 0 || str.isEmpty()) {
        lineNumberArea->update();
        return;
    }
    const QTextBlock block = document()->findBlockByNumber(n - 1);
    if (!block.isValid()) {
        lineNumberArea->update();
        return;
    }
    // The first occurrence that ends on line n: with text that holds no line
    // break, one that starts in that block.
    QTextCursor found = document()->find(str, block.position());
    if (found.isNull() || found.blockNumber() != block.blockNumber()) {
        lineNumberArea->update();
        return;
    }
    verticalScrollBar()->setValue(block.blockNumber());
    found.setPosition(found.selectionEnd());
    found.movePosition(QTextCursor::EndOfWord);
    setTextCursor(found);
    ensureCursorVisible();
    lineNumberArea->update();
}

}  // namespace vantor
