// The size label of the capture overlay: a dark box with "width * height"
// that sits just above the selection.
#pragma once

#include <QObject>
#include <QRectF>
#include <QString>

class QPainter;

namespace vantor {

class MyRect : public QObject {
    Q_OBJECT
public:
    static constexpr int kWidth = 71;
    static constexpr int kHeight = 21;

    explicit MyRect(QObject* parent = nullptr) : QObject(parent) {}

    // Puts the label's bottom-left corner at (x, y).
    void setPos(qreal x, qreal y) { rect_ = QRectF(x, y - kHeight, kWidth, kHeight); }
    void setText(const QString& text) { text_ = text; }
    QRectF rect() const { return rect_; }
    QString text() const { return text_; }

    void paint(QPainter& painter) const;

private:
    QRectF rect_;
    QString text_;
};

}  // namespace vantor
