#include "main_window.h"

#include <QCloseEvent>
#include <QDebug>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTextCursor>

#include "code_highlighter.h"
#include "mycode_edit.h"
#include "stop_key.h"
#include "ui_main_window.h"
#include "variable_table.h"
#include "window_texts.h"

// Resources of a static library are registered by hand, outside any namespace.
static void initStudioResources()
{
    Q_INIT_RESOURCE(app);
}

namespace vantor {

namespace {

// Lines kept in the log panel; a script that logs in a loop must not fill
// the memory through it.
constexpr int kLogPanelLines = 100000;

struct ToolbarButton {
    QPushButton* Ui::MainWindow::*button;
    const char* picture;
    const char* tooltip;
    const char* key;  // window-wide shortcut that clicks the button, or null
};

const ToolbarButton kToolbarButtons[] = {
    {&Ui::MainWindow::btDebug, ":/img/debug.png", "启动调试", "F5"},
    {&Ui::MainWindow::btEnd, ":/img/end.png", "停止调试", "Shift+F5"},
    {&Ui::MainWindow::btStepover, ":/img/stepOver.png", "单步跳过", "F10"},
    {&Ui::MainWindow::btStepinto, ":/img/stepInto.png", "单步进入", "F11"},
    {&Ui::MainWindow::btStepout, ":/img/stepout.png", "单步跳出", "Shift+F11"},
    {&Ui::MainWindow::btStar, ":/img/run.png", "开始执行", "Ctrl+F5"},
    {&Ui::MainWindow::btJiankong, ":/img/jiankong.png", "监控变量", nullptr},
    {&Ui::MainWindow::btHelp, ":/img/help.png", "帮助", nullptr},
    {&Ui::MainWindow::btJieping, ":/img/jieping.png", "屏幕截图", "Alt+S"},
    {&Ui::MainWindow::btRpa, ":/img/rpa.png", "RPA 机器人流程自动化录制", "Alt+R"},
};

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), runControls_(new RunControls(this))
{
    initStudioResources();
    setUpForm();
    createMenus();
    createShortcuts();
    buildApiCatalogue();
    connectRunControls();

    stopKey_ = new StopKey(this);
    connect(stopKey_, &StopKey::pressed, this, &MainWindow::onStopKeyPressed);
    stopKey_->start();
    // currentFile is empty: a new script, nothing to save yet.
    markSaved();
}

MainWindow::~MainWindow()
{
    // A run still going is stopped and waited for while the editor exists;
    // its last signals must not reach this half-destroyed window.
    disconnect(runControls_, nullptr, this, nullptr);
    delete runControls_;
    delete ui;
}

QTreeView* MainWindow::catalogueView() const
{
    return ui->treeView;
}

void MainWindow::setUpForm()
{
    ui->setupUi(this);
    setWindowTitle(windowTitleFor(QString(), false));
    setWindowIcon(QIcon(QStringLiteral(":/img/logo.png")));
    resize(1200, 800);

    editor_ = new MycodeEdit(this);
    editor_->setAcceptDrops(true);
    ui->splitter->insertWidget(0, editor_);
    new CodeHighLighter(editor_->document());
    connect(editor_, &QTextEdit::textChanged, this, &MainWindow::textChaged);

    ui->splitter->setSizes({50000, 10000});
    ui->splitter_2->setSizes({50000, 10000});
    ui->splitter_3->setSizes({10000, 10000});
    for (QSplitter* splitter : {ui->splitter, ui->splitter_2, ui->splitter_3})
        splitter->setHandleWidth(0);
    setUpButtons();

    ui->tableView->hide();
    ui->tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui->treeView->header()->hide();
    ui->infoView->setMaximumBlockCount(kLogPanelLines);
}

void MainWindow::setUpButtons()
{
    ui->btStar->hide();
    for (const ToolbarButton& entry : kToolbarButtons) {
        QPushButton* button = ui->*entry.button;
        button->setToolTip(QString::fromUtf8(entry.tooltip));
        button->setStyleSheet(buttonStyleSheet(QString::fromLatin1(entry.picture)));
    }
    connect(ui->btStepover, &QPushButton::clicked, this, &MainWindow::on_btStep_over_clicked);
    connect(ui->btStepinto, &QPushButton::clicked, this, &MainWindow::on_btStep_into_clicked);
    connect(ui->btStepout, &QPushButton::clicked, this, &MainWindow::on_btStep_out_clicked);
    connect(ui->btJieping, &QPushButton::clicked, this, &MainWindow::on_btJieping_Click);
}

void MainWindow::createShortcuts()
{
    for (const ToolbarButton& entry : kToolbarButtons) {
        if (!entry.key)
            continue;
        QPushButton* button = ui->*entry.button;
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(entry.key)), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    }
    auto* breakpoint = new QShortcut(QKeySequence(Qt::Key_F9), this);
    breakpoint->setContext(Qt::WindowShortcut);
    connect(breakpoint, &QShortcut::activated, editor_, &MycodeEdit::setDebugFlag);
}

void MainWindow::showVariablePanel()
{
    ui->treeView->hide();
    ui->tableView->show();
}

void MainWindow::showCataloguePanel()
{
    ui->treeView->show();
    ui->tableView->hide();
}

void MainWindow::on_btHelp_clicked()
{
    ui->treeView->setVisible(ui->treeView->isHidden());
}

void MainWindow::on_btJiankong_clicked()
{
    ui->tableView->setVisible(ui->tableView->isHidden());
}

void MainWindow::logInfo(QString str)
{
    // An uncaught exception comes right after the run reported its line; the
    // arrow leaves that line when the run ends, so the log keeps it.
    if (exceptionLine_ > 0 && str.startsWith(QLatin1String("uncaught exception: ")))
        str += QStringLiteral(" (line %1)").arg(exceptionLine_);
    exceptionLine_ = -1;
    QTextCursor cursor = ui->infoView->textCursor();
    cursor.insertText(str + QLatin1Char('\n'));
    ui->infoView->setTextCursor(cursor);
    ui->infoView->ensureCursorVisible();
}

void MainWindow::debugInfo(QJsonArray arr)
{
    QStandardItemModel* previous = variables_;
    variables_ = variableModel(arr, this);
    ui->tableView->setMinimumWidth(330);
    ui->tableView->setMaximumWidth(500);
    ui->tableView->setModel(variables_);
    delete previous;
}

void MainWindow::deBugRunNum(int n, QString str)
{
    editor_->markDebugLine(n, str);
    exceptionLine_ = n;
    if (n == -1)
        showCataloguePanel();
}

void MainWindow::textChaged()
{
    if (!currentFile.isEmpty())
        setWindowTitle(windowTitleFor(currentFile, true));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    // The run's last signals reach this window, which is still whole here.
    if (!stopRunAndWait(5000))
        qWarning().noquote() << "The script run did not end while the window closed";
    event->accept();
}

void MainWindow::onStopKeyPressed()
{
    qDebug().noquote() << QStringLiteral("Global stop key %1 pressed").arg(StopKey::label());
    on_btEnd_clicked();
}

}  // namespace vantor
