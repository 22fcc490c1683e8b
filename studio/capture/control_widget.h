// The bar under the selection of the capture overlay. Of its tool buttons only
// exit and finish are shown; the drawing tools behind the others are not built.
#pragma once

#include <QWidget>

class QPushButton;
class QToolButton;

namespace vantor {

class Screen;

class ControlWidget : public QWidget {
    Q_OBJECT
public:
    explicit ControlWidget(QWidget* parent = nullptr);

    void setScreen(Screen* screen) { screen_ = screen; }
    Screen* screen() const { return screen_; }

    QToolButton* cancelButton() const { return cancelBtn_; }
    QPushButton* finishButton() const { return finishBtn_; }

public slots:
    void cancelBtn_slot();
    void saveBtn_slot();
    void finishBtn_slot();
    // Drawing modes; the buttons that would start them stay hidden.
    void on_textEditBtn_clicked() {}
    void on_rectangleBtn_clicked() {}
    void on_drawRoundBtn_clicked() {}
    void on_arrowBtn_clicked() {}
    void on_mosaicBtn_clicked() {}
    void on_returneditBtn_clicked() {}
    void on_drawLineBtn_clicked() {}

private:
    Screen* screen_ = nullptr;
    QToolButton* cancelBtn_ = nullptr;
    QToolButton* saveBtn_ = nullptr;
    QPushButton* finishBtn_ = nullptr;
};

}  // namespace vantor
