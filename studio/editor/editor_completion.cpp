// Completion of the script API while typing.
#include <QAbstractItemView>
#include <QCompleter>
#include <QDebug>
#include <QKeyEvent>
#include <QScriptEngine>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>
#include <QTextCursor>

#include "editor_private.h"
#include "mycode_edit.h"
#include "tavix_mgr.h"

namespace vantor {

void MycodeEdit::initCompleter()
{
    completer = new QCompleter(QStringList(), this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setWidget(this);

    // The first use of the manager builds the one script engine of the process.
    d->names = CompletionNames::fromGlobalObject(TavixMgr::instance()->engine()->globalObject());
    scriptNames = d->names.scriptNames();
    memberNames = d->names.memberNames();

    connect(this, &QTextEdit::textChanged, this, &MycodeEdit::completeAfterTextChange);
    connect(completer, QOverload<const QModelIndex&>::of(&QCompleter::highlighted), this,
            [this](const QModelIndex& index) {
                highlightedCompletion = index.data().toString();
                qDebug() << highlightedCompletion;
            });
    connect(completer, QOverload<const QString&>::of(&QCompleter::activated), this,
            &MycodeEdit::handleCompleterActivated);
    // Ahead of the completer's own filter: Enter takes the entry without a line break.
    completer->popup()->installEventFilter(this);
}

bool MycodeEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (completer && watched == completer->popup() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && completer->popup()->isVisible()) {
            const QModelIndex current = completer->popup()->currentIndex();
            const QString entry =
                current.isValid() ? current.data().toString() : highlightedCompletion;
            completer->popup()->hide();
            if (!entry.isEmpty()) {
                handleCompleterActivated(entry);
                return true;
            }
        }
    }
    return QTextEdit::eventFilter(watched, event);
}

void MycodeEdit::completeAfterTextChange()
{
    if (d->loading)
        return;
    QAbstractItemView* popup = completer->popup();
    const QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    // The fragment never reaches past a line feed, so the cursor's block is enough.
    const QString before = block.text().left(cursor.positionInBlock());
    const bool afterLineFeed = cursor.positionInBlock() == 0 && block.blockNumber() > 0;
    const QString prefix = CompletionNames::completionPrefix(before);

    if (popup->isVisible() && afterLineFeed && !highlightedCompletion.isEmpty()) {
        // Taken before the line feed goes: removing it changes the text again,
        // and the list offered for that text would reset the highlighted entry.
        const QString entry = highlightedCompletion;
        QTextCursor typed = textCursor();
        typed.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
        ++d->loading;
        typed.removeSelectedText();
        --d->loading;
        popup->hide();
        handleCompleterActivated(entry);
        return;
    }

    if (!currentObject.isEmpty() && prefix.contains(QLatin1Char('.'))) {
        const int dot = prefix.indexOf(QLatin1Char('.'));
        const QString object = prefix.left(dot);
        const QString fragment = prefix.mid(dot + 1);
        const QStringList candidates =
            object == currentObject ? d->names.memberCandidates(object, fragment) : QStringList();
        if (candidates.isEmpty()) {
            if (popup->isVisible())
                popup->hide();
        } else {
            showCompletions(candidates, false);
        }
        return;
    }

    currentObject.clear();
    if (prefix.isEmpty()) {
        if (popup->isVisible())
            popup->hide();
        return;
    }
    if (d->names.isGlobalName(prefix)) {
        currentObject = prefix;
        qDebug() << "选中" << prefix;
        if (popup->isVisible())
            popup->hide();
        return;
    }
    const QStringList candidates = d->names.globalCandidates(prefix);
    if (candidates.isEmpty()) {
        if (popup->isVisible())
            popup->hide();
        return;
    }
    showCompletions(candidates, true);
}

void MycodeEdit::showCompletions(const QStringList& candidates, bool shifted)
{
    // A model whose parent is the completer is deleted when the next one is set.
    // Setting it puts the completer's own key filter back in front of the
    // popup's: the editor's goes in front again, so that Enter takes the entry.
    completer->setModel(new QStringListModel(candidates, completer));
    completer->popup()->removeEventFilter(this);
    completer->popup()->installEventFilter(this);
    QTextCursor word = textCursor();
    word.movePosition(QTextCursor::StartOfWord);
    QRect r = cursorRect(word);
    QAbstractItemView* popup = completer->popup();
    const int w = popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width();
    r.setWidth(w);
    if (shifted) {
        r.setLeft(r.left() + w / 2);
        r.setWidth(w);
    }
    completer->complete(r);
    popup->setCurrentIndex(completer->completionModel()->index(0, 0));
}

void MycodeEdit::handleCompleterActivated(const QString& text)
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::StartOfWord, QTextCursor::KeepAnchor);
    const QString fragment = CompletionNames::completionPrefix(cursor.selectedText());
    const QString s = currentObject.isEmpty() ? text : text + QStringLiteral("()");

    cursor.movePosition(QTextCursor::StartOfWord);
    const int p = cursor.position();
    cursor.movePosition(QTextCursor::EndOfWord);
    setTextCursor(cursor);
    cursor.setPosition(p);
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, fragment.size());
    cursor.insertText(s);
    highlightedCompletion.clear();
    qDebug() << "Selected text:" << s;
}

}  // namespace vantor
