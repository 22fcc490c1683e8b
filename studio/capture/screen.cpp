#include "screen.h"

#include <QClipboard>
#include <QDebug>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "control_widget.h"
#include "qs_label.h"
#include "screen_grab.h"

namespace vantor {

namespace {

// The cursor over each handle, indexed by CaptureHandle.
const Qt::CursorShape kHandleCursors[] = {Qt::SizeBDiagCursor, Qt::SizeFDiagCursor,
                                          Qt::SizeBDiagCursor, Qt::SizeFDiagCursor,
                                          Qt::SizeAllCursor,   Qt::ArrowCursor};

constexpr QSize kBarSize(110, 25);
constexpr int kBarGap = 6;

QPainterPath outlineOf(QSize size)
{
    QPainterPath path;
    path.addPolygon(
        QPolygonF({QPointF(0, 0), QPointF(size.width(), 0), QPointF(size.width(), size.height()),
                   QPointF(0, size.height()), QPointF(0, 0)}));
    return path;
}

}  // namespace

Screen::Screen(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      // The screen is read before the overlay covers it.
      grab_(QPixmap::fromImage(grabPrimaryScreen())),
      selection_(grab_.size()),
      outline_(outlineOf(grab_.size()))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setWindowTitle(QStringLiteral("屏幕截图"));
    sizeLabel_.setPos(0, 0);
    preview_ = new QSLabel;
    if (grabFailed()) {
        QTimer::singleShot(0, this, &Screen::reportGrabFailure);
        return;
    }
    dimmed_ = grab_.copy();
    QPainter(&dimmed_).fillRect(dimmed_.rect(), QColor(0, 0, 0, 100));
    if (QScreen* primary = QGuiApplication::primaryScreen())
        setGeometry(QRect(primary->geometry().topLeft(), grab_.size()));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    showFullScreen();
    raise();
    activateWindow();
    setFocus();
}

Screen::~Screen()
{
    delete preview_;
}

void Screen::setVisible(bool visible)
{
    // A failed grab must not put a black overlay over the desktop.
    QWidget::setVisible(visible && !grabFailed());
}

void Screen::reportGrabFailure()
{
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("屏幕截图"), grabFailureText(),
                                QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    cancel();
}

QImage Screen::selectedImage() const
{
    const QRect area = selection_.area();
    if (area.isEmpty())
        return {};
    return grab_.copy(area).toImage();
}

void Screen::cancel()
{
    if (closing_)
        return;
    closing_ = true;
    emit caceBtClick();
    close();
    preview_->close();
}

void Screen::finish()
{
    if (closing_)
        return;
    // An empty selection has no picture: finishing it only exits.
    const QImage picture = selectedImage();
    if (!picture.isNull()) {
        QGuiApplication::clipboard()->setImage(picture);
        emit saveClick();
        emit saveImg(picture);
    }
    cancel();
}

void Screen::paintEvent(QPaintEvent* event)
{
    // Only blits: the outside comes from the dimmed copy, the selection from
    // the grab itself, so that repaints while dragging stay cheap.
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawPixmap(dirty, dimmed_, dirty);
    const QRect inside = selection_.area();
    painter.drawPixmap(inside, grab_, inside);

    painter.setPen(Qt::blue);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline_);
    if (!inside.isEmpty())
        painter.drawRect(inside);

    sizeLabel_.paint(painter);
    for (const QRectF& handle : selection_.handleRects())
        painter.fillRect(handle, Qt::blue);
}

void Screen::mousePressEvent(QMouseEvent* event)
{
    selection_.press(event->pos(), event->button() == Qt::LeftButton);
}

void Screen::mouseMoveEvent(QMouseEvent* event)
{
    const QRect before = decorations();
    if (event->buttons() & Qt::LeftButton) {
        if (!selection_.selecting() && control_)
            control_->hide();
        selection_.drag(event->pos());
        updateSizeLabel();
    } else {
        setCursor(kHandleCursors[static_cast<int>(selection_.hover(event->pos()))]);
    }
    updatePreview();
    // Only where the selection, its outline, label or handles were or are now.
    update(before | decorations());
}

QRect Screen::decorations() const
{
    QRect bounds = selection_.area().adjusted(-1, -1, 1, 1);
    for (const QRectF& handle : selection_.handleRects())
        bounds |= handle.toAlignedRect();
    return (bounds | sizeLabel_.rect().toAlignedRect()).adjusted(-2, -2, 2, 2);
}

void Screen::mouseReleaseEvent(QMouseEvent*)
{
    selection_.release();
    if (!control_) {
        qDebug() << "new ControlWidget";
        control_ = new QWidget(this);
        control_->setObjectName(QStringLiteral("control"));
        control_->setStyleSheet(QStringLiteral(
            "QWidget#control{                               background-color: #eaecf0;}"));
        auto* layout = new QHBoxLayout(control_);
        layout->setContentsMargins(0, 0, 0, 0);
        bar_ = new ControlWidget(control_);
        bar_->setScreen(this);
        layout->addWidget(bar_);
    }
    placeBar();
}

void Screen::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: cancel(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (bar_)
            finish();
        break;
    default: QWidget::keyPressEvent(event);
    }
}

// The bar sits under the selection's end corner, its right edge just left of
// it; near the screen's edges it stays on the screen, where it can be reached.
void Screen::placeBar()
{
    const QPoint end = selection_.end();
    QRect bar(QPoint(end.x() - kBarSize.width(), end.y() + kBarGap), kBarSize);
    bar.moveLeft(std::clamp(bar.left(), 0, std::max(0, width() - bar.width())));
    bar.moveTop(std::clamp(bar.top(), 0, std::max(0, height() - bar.height())));
    control_->setGeometry(bar);
    control_->show();
    control_->raise();
}

void Screen::updateSizeLabel()
{
    const QRect area = selection_.area();
    sizeLabel_.setText(tr("%1 * %2").arg(area.width()).arg(area.height()));
    sizeLabel_.setPos(area.left(), area.top());
}

void Screen::updatePreview()
{
    const QRect area = selection_.area();
    if (area.isEmpty()) {
        preview_->hide();
        return;
    }
    if (area == previewArea_ && preview_->isVisible())
        return;
    previewArea_ = area;
    preview_->setImage(grab_.copy(area));
    preview_->setFixedSize(area.size());
    preview_->move(mapToGlobal(area.topLeft()));
    preview_->show();
    preview_->raise();
}

}  // namespace vantor
