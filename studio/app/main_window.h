// The studio's main window: the toolbar, the script editor above the log
// panel, the variable table shown while debugging and the API catalogue on
// the right; the file commands, the run controls and the tools.
#pragma once

#include <QJsonArray>
#include <QMainWindow>
#include <QModelIndex>
#include <QString>
#include <QUrl>
#include <array>
#include <functional>

#include "recent_files.h"
#include "run_controls.h"
#include "script_encoding.h"

class QAction;
class QPushButton;
class QTreeView;
class QStandardItemModel;

namespace Ui {
class MainWindow;
}

namespace vantor {

class MycodeEdit;
class StopKey;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // For the tools that plug into the window (recorder, screenshot tool,
    // catalogue) and for tests.
    MycodeEdit* editor() const { return editor_; }
    QTreeView* catalogueView() const;
    RunControls* runControls() const { return runControls_; }
    const QString& currentFilePath() const { return currentFile; }
    StopKey* stopKey() const { return stopKey_; }

    // Opens a script as File > Open does after its dialog.
    void loadFile(const QString& path);
    // Saves the editor's script to `path`; false after a failure message.
    bool saveFile(const QString& path);

    // Where Help > documentation points: the script API reference that the
    // build writes beside the programs' folder.
    static QUrl documentationUrl();
    // Replaces the call that hands a URL to the desktop (tests).
    void setUrlOpener(std::function<bool(const QUrl&)> opener);

    // True while a script run is active.
    bool isRunActive() const;
    // Stops an active run and waits, handling its last signals, until it has
    // ended or `timeoutMs` have passed. True when no run is left.
    bool stopRunAndWait(int timeoutMs);

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    // Bound by name through the form.
    void on_btStar_clicked();
    void on_btDebug_clicked();
    void on_btEnd_clicked();
    void on_btHelp_clicked();
    void on_btJiankong_clicked();
    void on_btRpa_clicked();
    void on_treeView_doubleClicked(QModelIndex index);
    void on_treeView_pressed(QModelIndex index);

    void logInfo(QString str);
    void debugInfo(QJsonArray arr);
    void deBugRunNum(int n, QString str);
    void onNewFileAction();
    void onOpenFileAction();
    void onSaveFileAction();
    void onSaveFileAsAction();
    void openRecentFile();
    void onhelpAPIAction();
    void onhelpAboutAction();
    void textChaged();
    void onStopKeyPressed();

private:
    // Connected by pointer: their names are outside the form's by-name binding.
    void on_btStep_into_clicked();
    void on_btStep_over_clicked();
    void on_btStep_out_clicked();
    void on_btJieping_Click();
    // Puts the script lines of a recording (the recorder's JSON array of
    // events) into the editor.
    void insertRecording(const QJsonArray& events);
    // Fills the catalogue tree; called once by the constructor.
    void buildApiCatalogue();

    void setUpForm();
    void setUpButtons();
    void createMenus();
    void createShortcuts();
    void connectRunControls();
    void showVariablePanel();
    void showCataloguePanel();

    void setCurrentFile(const QString& path);
    void updateRecentFileActions();
    // Asks what to do with unsaved changes: true when the caller may go on
    // (saved or discarded), false when the user cancelled.
    bool maybeSave();
    void markSaved();

    Ui::MainWindow* ui;
    MycodeEdit* editor_ = nullptr;
    RunControls* runControls_ = nullptr;
    std::array<QAction*, MaxRecentFiles> recentFileActions{};
    QAction* recentSeparator = nullptr;
    QString currentFile;
    ScriptEncoding fileEncoding_;  // the open file's, kept when it is saved
    QStandardItemModel* variables_ = nullptr;
    StopKey* stopKey_ = nullptr;
    int exceptionLine_ = -1;  // line the run reported last, until the next log line
    std::function<bool(const QUrl&)> urlOpener_;
};

}  // namespace vantor
