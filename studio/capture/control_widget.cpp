#include "control_widget.h"

#include <QDebug>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>

#include "screen.h"

// The bar's pictures live in this library's resources, which a static
// library must register itself.
static void initCaptureResources()
{
    Q_INIT_RESOURCE(capture);
}

namespace vantor {

namespace {

struct ToolButtonEntry {
    const char* objectName;
    const char* picture;
    const char* toolTip;
};

// The bar's tool buttons in their order on the form.
const ToolButtonEntry kToolButtons[] = {
    {"rectangleBtn", ":/image/control_01.jpg", "画矩形"},
    {"drawRoundBtn", ":/image/control_02.jpg", "画圆"},
    {"arrowBtn", ":/image/control_03.jpg", "画箭头"},
    {"drawLineBtn", ":/image/control_04.jpg", "画笔"},
    {"mosaicBtn", ":/image/control_05.jpg", "马赛克"},
    {"textEditBtn", ":/image/control_06.jpg", "添加文字"},
    {"returneditBtn", ":/image/control_07.jpg", "撤销操作"},
    {"saveBtn", ":/image/control_08.jpg", "保存截图"},
    {"toolButton_7", ":/image/control_09.jpg", ""},
    {"toolButton_6", ":/image/control_10.jpg", ""},
    {"toolButton", ":/image/control_11.jpg", ""},
    {"cancelBtn", ":/image/control_12.jpg", "退出截图"},
};

constexpr QSize kIconSize(25, 25);

}  // namespace

ControlWidget::ControlWidget(QWidget* parent) : QWidget(parent)
{
    initCaptureResources();
    setObjectName(QStringLiteral("ControlWidget"));
    setWindowTitle(QStringLiteral("Form"));
    resize(561, 31);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    for (const ToolButtonEntry& entry : kToolButtons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(entry.objectName));
        button->setIcon(QIcon(QLatin1String(entry.picture)));
        button->setIconSize(kIconSize);
        button->setFixedSize(kIconSize);
        button->setAutoRaise(true);
        button->setToolTip(QString::fromUtf8(entry.toolTip));
        layout->addWidget(button);
        if (button->objectName() == QLatin1String("cancelBtn"))
            cancelBtn_ = button;
        else
            button->hide();
        if (button->objectName() == QLatin1String("saveBtn"))
            saveBtn_ = button;
    }
    finishBtn_ = new QPushButton(QStringLiteral("完成"), this);
    finishBtn_->setObjectName(QStringLiteral("finishBtn"));
    finishBtn_->setIcon(QIcon(QStringLiteral(":/image/control_13.jpg")));
    finishBtn_->setIconSize(QSize(18, 18));
    finishBtn_->setFlat(true);
    finishBtn_->setFixedHeight(kIconSize.height());
    finishBtn_->setToolTip(QStringLiteral("完成截图"));
    layout->addWidget(finishBtn_);

    connect(cancelBtn_, &QToolButton::clicked, this, &ControlWidget::cancelBtn_slot);
    connect(saveBtn_, &QToolButton::clicked, this, &ControlWidget::saveBtn_slot);
    connect(finishBtn_, &QPushButton::clicked, this, &ControlWidget::finishBtn_slot);
}

void ControlWidget::cancelBtn_slot()
{
    if (screen_)
        screen_->cancel();
}

void ControlWidget::finishBtn_slot()
{
    if (screen_)
        screen_->finish();
}

// Saves the selection to a picture file of the user's choice and exits.
void ControlWidget::saveBtn_slot()
{
    if (!screen_)
        return;
    const QString path = QFileDialog::getSaveFileName(screen_, QStringLiteral("保存截图"),
                                                      QString(), QStringLiteral("PNG (*.png)"));
    if (path.isEmpty())
        return;
    const QImage picture = screen_->selectedImage();
    if (picture.isNull() || !picture.save(path, "PNG"))
        qWarning().noquote() << "Screen capture: cannot save the picture to" << path;
    screen_->cancel();
}

}  // namespace vantor
