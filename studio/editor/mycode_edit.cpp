#include "mycode_edit.h"

#include <QAbstractTextDocumentLayout>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "data_url_text.h"
#include "editor_private.h"
#include "line_ends.h"

namespace vantor {

namespace {

const QString kEditorFamily = QStringLiteral("微软雅黑");
constexpr int kEditorPointSize = 12;
// Files larger than this are not taken in as text.
constexpr qint64 kMaxTextFileSize = 64 * 1024 * 1024;

int imageCounter = 1;

QFont editorFont()
{
    // The family is not installed off Windows: CJK-capable sans families
    // stand in for it, so that Chinese comments never show as boxes.
    static const bool substituted = [] {
        QFont::insertSubstitutions(
            kEditorFamily,
            {QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
             QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(kEditorFamily, kEditorPointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Shown for a data URL too long to show as text that is no picture; the
// script text keeps the data URL itself.
QImage standInPicture(int characters)
{
    const QFontMetrics metrics(editorFont());
    const QString label =
        QStringLiteral("data:image/png;base64,… %1 KB").arg((characters + 1023) / 1024);
    QImage picture(metrics.horizontalAdvance(label) + 12, metrics.height() + 4,
                   QImage::Format_ARGB32);
    picture.fill(QColor(0xee, 0xee, 0xee));
    QPainter painter(&picture);
    painter.setPen(QColor(0x99, 0x99, 0x99));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::darkGreen);
    painter.setFont(editorFont());
    painter.drawText(picture.rect(), Qt::AlignCenter, label);
    return picture;
}

}  // namespace

QString nextDroppedImageName()
{
    return QStringLiteral("dropped_image_%1").arg(imageCounter++);
}

MycodeEdit::MycodeEdit(QWidget* parent)
    : QTextEdit(parent),
      lineNumberArea(new MyLineNumberArea(this)),
      clickY(-1),
      debugLine(-1),
      completer(nullptr),
      d(new Private)
{
    setContentsMargins(0, 0, 0, 0);
    document()->setDocumentMargin(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
    setLineWrapMode(QTextEdit::NoWrap);
    // Scripts are plain text: dropped or pasted rich text comes in as its text.
    setAcceptRichText(false);

    connect(document(), &QTextDocument::blockCountChanged, this,
            &MycodeEdit::updateLineNumberAreaWidth);
    connect(document(), &QTextDocument::contentsChange, this, &MycodeEdit::noteContentsChange);
    connect(this, &QTextEdit::textChanged, this, &MycodeEdit::textChaged);
    connect(this, &QTextEdit::cursorPositionChanged, this, &MycodeEdit::highlightCurrentLine);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &MycodeEdit::on_scroll);
    connect(lineNumberArea, &MyLineNumberArea::areaClick, this, &MycodeEdit::areaClick);

    updateLineNumberAreaWidth(0);
    setFont(editorFont());
    initCompleter();
    setStyleSheet(QStringLiteral("background-color:#ffffff"));
    highlightCurrentLine();
}

MycodeEdit::~MycodeEdit()
{
    delete d;
}

void MycodeEdit::setScriptText(const QString& text)
{
    ++d->loading;
    clear();
    d->sources.clear();
    d->undecodable.clear();
    d->lineEnd = firstLineEnd(text);
    setFocus();
    // Loading is not an edit the user could undo into an empty document.
    document()->setUndoRedoEnabled(false);
    // With a null page size the layout skips the insertion; giving the size
    // back lays the script out once and lazily from the top, as a new text is.
    // A lazy layout still under way for the text just cleared would otherwise
    // go on over the new script at the first position asked for; on the empty
    // document it ends at once.
    document()->documentLayout()->documentSize();
    const QSizeF pageSize = document()->pageSize();
    document()->setPageSize(QSizeF(0, 0));
    d->holdGutterWidth = true;
    appendScriptText(text);
    // The edit's cursor went along to the end; it comes back to the top before
    // the layout starts, or repainting where it was would lay out every line.
    setTextCursor(QTextCursor(document()));
    if (document()->pageSize().isNull())
        document()->setPageSize(pageSize);
    d->holdGutterWidth = false;
    updateLineNumberAreaWidth(0);
    document()->setUndoRedoEnabled(true);
    --d->loading;
}

void MycodeEdit::appendScriptText(const QString& text)
{
    ++d->loading;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    insertScript(cursor, text, false);
    --d->loading;
}

void MycodeEdit::insertScriptText(const QString& text)
{
    QTextCursor cursor = textCursor();
    insertScript(cursor, text, true);
    setTextCursor(cursor);
}

void MycodeEdit::insertScript(QTextCursor& cursor, const QString& text, bool countedNames)
{
    ++d->inserting;
    const int firstBlock = cursor.blockNumber();
    const auto* oldEnd = static_cast<LineEndData*>(cursor.block().userData());
    const QString lastEnd = oldEnd ? oldEnd->end : d->lineEnd;

    QStringList ends;
    cursor.beginEditBlock();
    for (const ScriptPiece& piece : splitScriptText(text, &d->undecodable)) {
        if (piece.kind == ScriptPiece::Text) {
            cursor.insertText(normaliseLineEnds(piece.text, &ends), QTextCharFormat());
            continue;
        }
        const QImage picture =
            piece.kind == ScriptPiece::Picture ? piece.picture : standInPicture(piece.text.size());
        const QString name =
            countedNames ? nextDroppedImageName() : QString::number(picture.cacheKey());
        document()->addResource(QTextDocument::ImageResource, QUrl(name), picture);
        d->sources.remember(name, picture, piece.text);
        QTextImageFormat format;
        format.setName(name);
        cursor.insertImage(format);
    }
    cursor.endEditBlock();

    // The k-th line end read ends block firstBlock + k; the block the insertion
    // ended in keeps the end of the block it started in.
    QTextBlock block = document()->findBlockByNumber(firstBlock);
    ends.append(lastEnd);
    for (const QString& end : qAsConst(ends)) {
        if (!block.isValid())
            break;
        block.setUserData(end == d->lineEnd ? nullptr : new LineEndData(end));
        block = block.next();
    }
    --d->inserting;
}

QImage MycodeEdit::pictureResource(const QString& name) const
{
    const QVariant resource = document()->resource(QTextDocument::ImageResource, QUrl(name));
    if (resource.userType() == QMetaType::QImage)
        return resource.value<QImage>();
    if (resource.userType() == QMetaType::QPixmap)
        return resource.value<QPixmap>().toImage();
    if (resource.userType() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray());
    return QImage();
}

void MycodeEdit::appendBlockScript(QString& out, const QTextBlock& block, int from, int to) const
{
    const int blockStart = block.position();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const int start = qMax(fragment.position(), blockStart + from);
        const int end = to < 0 ? fragment.position() + fragment.length()
                               : qMin(fragment.position() + fragment.length(), blockStart + to);
        if (end <= start)
            continue;
        const QTextCharFormat format = fragment.charFormat();
        if (!format.isImageFormat()) {
            out += fragment.text().midRef(start - fragment.position(), end - start);
            continue;
        }
        const QString name = format.toImageFormat().name();
        const QString payload = d->sources.payloadFor(name, pictureResource(name));
        if (payload.isEmpty()) {
            qDebug() << "picture without a resource left out of the script text:" << name;
            continue;
        }
        // Equal neighbouring pictures share one fragment.
        for (int i = start; i < end; ++i)
            out.append(kDataUrlPrefix).append(payload);
    }
}

QString MycodeEdit::toScriptText() const
{
    QString out;
    out.reserve(document()->characterCount() + 64);
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        appendBlockScript(out, block, 0, -1);
        if (block.next().isValid()) {
            const auto* end = static_cast<LineEndData*>(block.userData());
            out += end ? end->end : d->lineEnd;
        }
    }
    return out;
}

void MycodeEdit::insertImageResource(const QUrl& url, const QImage& image)
{
    if (image.isNull()) {
        qDebug() << "no picture to insert:" << url.toString();
        return;
    }
    document()->addResource(QTextDocument::ImageResource, url, image);
    QTextImageFormat format;
    format.setName(url.toString());
    QTextCursor cursor = textCursor();
    ++d->inserting;
    cursor.insertImage(format);
    --d->inserting;
    setTextCursor(cursor);
}

void MycodeEdit::insertTextFile(const QUrl& url)
{
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (!info.isFile()) {
        qDebug() << "not a file, nothing inserted:" << path;
        return;
    }
    if (info.size() > kMaxTextFileSize) {
        qDebug() << "file too large to insert as text:" << path << info.size();
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "cannot open file, nothing inserted:" << path << file.errorString();
        return;
    }
    QByteArray bytes = file.readAll();
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    QTextCursor cursor = textCursor();
    insertScript(cursor, QString::fromUtf8(bytes), true);
    setTextCursor(cursor);
}

void MycodeEdit::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Paste) {
        paste();
    } else if (event == QKeySequence::Copy) {
        copy();
    } else if (event == QKeySequence::Cut) {
        cut();
    } else if (event->key() == Qt::Key_F9 && event->modifiers() == Qt::NoModifier) {
        setDebugFlag();
    } else {
        if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
            highlightedCompletion.clear();
        QTextEdit::keyPressEvent(event);
    }
    lineNumberArea->update();
}

void MycodeEdit::wheelEvent(QWheelEvent* event)
{
    lineNumberArea->update();
    QTextEdit::wheelEvent(event);
}

void MycodeEdit::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    const QRect cr = contentsRect();
    lineNumberArea->setGeometry(QRect(cr.left(), cr.top(), lineNumberAreaWidth(), cr.height()));
}

void MycodeEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("剪切"), this, &MycodeEdit::cut, QKeySequence::Cut);
    menu->addAction(QStringLiteral("复制"), this, &MycodeEdit::copy, QKeySequence::Copy);
    menu->addAction(QStringLiteral("粘贴"), this, &MycodeEdit::paste, QKeySequence::Paste);
    menu->popup(event->globalPos());
}

void MycodeEdit::highlightCurrentLine()
{
    QList<QTextEdit::ExtraSelection> selections;
    if (!isReadOnly()) {
        QTextEdit::ExtraSelection selection;
        selection.format.setBackground(QColor(QStringLiteral("whitesmoke")));
        selection.format.setProperty(QTextFormat::FullWidthSelection, true);
        selection.cursor = textCursor();
        selection.cursor.clearSelection();
        selections.append(selection);
    }
    setExtraSelections(selections);
}

void MycodeEdit::noteContentsChange(int position, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    if (d->inserting)
        return;
    const int end = position + charsAdded;
    if (d->changedFrom < 0) {
        d->changedFrom = position;
        d->changedTo = end;
    } else {
        d->changedFrom = qMin(d->changedFrom, position);
        d->changedTo = qMax(d->changedTo, end);
    }
}

void MycodeEdit::textChaged()
{
    // An undo that took a picture back to its text leaves it text.
    if (d->changedFrom >= 0 && !d->inserting && !document()->isRedoAvailable())
        readDataUrlsInChange();
    d->changedFrom = d->changedTo = -1;
    updateLineNumberAreaWidth(0);
    lineNumberArea->update();
}

// A data URL typed, dropped or pasted as text becomes a picture in place. Only
// the blocks the change touched are read; the conversion is an edit of its
// own, which an undo takes back to the text.
void MycodeEdit::readDataUrlsInChange()
{
    QTextDocument* doc = document();
    QTextBlock first = doc->findBlock(d->changedFrom);
    QTextBlock last = doc->findBlock(d->changedTo);
    if (!first.isValid())
        first = doc->lastBlock();
    if (!last.isValid())
        last = doc->lastBlock();

    QString text;
    bool marked = false;
    for (QTextBlock block = first;; block = block.next()) {
        const QString blockText = block.text();
        marked = marked || blockText.contains(kDataUrlMarker);
        text += blockText;
        if (block == last || !block.next().isValid())
            break;
        text += QLatin1Char('\n');
    }
    if (!marked)
        return;

    const QVector<ScriptPiece> pieces = splitScriptText(text, &d->undecodable);
    struct Found {
        int position;
        int length;
        const ScriptPiece* piece;
    };
    QVector<Found> found;
    int at = first.position();
    for (const ScriptPiece& piece : pieces) {
        const int length = piece.kind == ScriptPiece::Text
            ? piece.text.size()
            : kDataUrlPrefix.size() + piece.text.size();
        if (piece.kind == ScriptPiece::Picture)
            found.append({at, length, &piece});
        at += length;
    }
    if (found.isEmpty())
        return;

    ++d->inserting;
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    for (int i = found.size() - 1; i >= 0; --i) {
        const QString name = QString::number(found[i].piece->picture.cacheKey());
        doc->addResource(QTextDocument::ImageResource, QUrl(name), found[i].piece->picture);
        d->sources.remember(name, found[i].piece->picture, found[i].piece->text);
        cursor.setPosition(found[i].position);
        cursor.setPosition(found[i].position + found[i].length, QTextCursor::KeepAnchor);
        QTextImageFormat format;
        format.setName(name);
        cursor.insertImage(format);
    }
    cursor.endEditBlock();
    --d->inserting;
}

}  // namespace vantor
