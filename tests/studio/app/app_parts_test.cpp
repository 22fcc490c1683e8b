// The window-free parts of the studio: log lines, titles, recent files,
// script files on disk, the variable table and the single-instance check.
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

#include "message_handler.h"
#include "privilege_drop.h"
#include "std_capture.h"
#include "recent_files.h"
#include "script_file.h"
#include "single_instance.h"
#include "variable_table.h"
#include "window_texts.h"

namespace vantor {
namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(LogLines, OneLinePerTextLineAndNoBlankLines)
{
    const struct {
        QString message;
        QByteArray written;
    } cases[] = {
        {QStringLiteral("plain"), "plain\n"},
        {QStringLiteral("log text\n"), "log text\n"},  // log.info adds its own line end
        {QStringLiteral("two\r\nlines\n\n"), "two\nlines\n"},
        {QStringLiteral("中文 行"), "中文 行\n"},
        {QString(), ""},
        {QStringLiteral("\n \n"), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatLogMessage(c.message), c.written) << c.message.toStdString();
}

TEST(LogLines, TheHandlerWritesEveryMessageOfEveryThreadAsPlainLines)
{
    QString written;
    {
        test::StdCapture error(2);
        installMessageHandler();
        qDebug() << "debug" << 1;
        qDebug().noquote().nospace() << "log text"
                                     << "\n";  // as log.info writes it
        qWarning("a warning");
        std::thread other([] { qDebug().noquote() << "from another thread"; });
        other.join();
        qInstallMessageHandler(nullptr);
        written = error.text();
    }
    EXPECT_EQ(written, "debug 1\nlog text\na warning\nfrom another thread\n");
}

TEST(WindowTitle, NewOpenedAndEdited)
{
    EXPECT_EQ(windowTitleFor(QString(), false), "Lumora");
    EXPECT_EQ(windowTitleFor(QString(), true), "Lumora");
    EXPECT_EQ(windowTitleFor("/tmp/a b.js", false), "Lumora - [/tmp/a b.js]");
    EXPECT_EQ(windowTitleFor("/tmp/a b.js", true), "Lumora - [/tmp/a b.js*]");
    EXPECT_EQ(buttonStyleSheet(":/img/run.png"),
              "QPushButton{border-image: url(:/img/run.png)}QPushButton:hover{border-image: "
              "url(:/img/run.png)}QPushButton:pressed{border-image: url(:/img/run.png)}"
              "QToolTip { color: #f36c60; background-color: white; }");
}

TEST(RecentFiles, NewestFirstWithoutDuplicatesAtMostFive)
{
    const struct {
        QStringList before;
        QString opened;
        QStringList after;
    } cases[] = {
        {{}, "/a", {"/a"}},
        {{"/a", "/b"}, "/b", {"/b", "/a"}},
        {{"/a", "/b", "/a"}, "/a", {"/a", "/b"}},
        {{"/1", "/2", "/3", "/4", "/5"}, "/6", {"/6", "/1", "/2", "/3", "/4"}},
        {{"/1", "/2", "/3", "/4", "/5"}, "/5", {"/5", "/1", "/2", "/3", "/4"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withRecentFile(c.before, c.opened), c.after) << c.opened.toStdString();
    EXPECT_EQ(strippedName("/home/u/scripts/demo.js"), "demo.js");
}

TEST(ScriptFiles, WriteGivesExactlyTheTextAndReadGivesItBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.js");
    const QString texts[] = {QString(), QStringLiteral("a\n"), QStringLiteral("a\nb"),
                             QStringLiteral("log.info(\"中文\");\n\n\n"),
                             QString(200000, QLatin1Char('x'))};
    for (const QString& text : texts) {
        QString error, back;
        ScriptEncoding encoding;
        ASSERT_TRUE(writeScriptFile(path, text, ScriptEncoding(), &error)) << error.toStdString();
        EXPECT_EQ(readBytes(path), text.toUtf8());
        ASSERT_TRUE(readScriptFile(path, &back, &encoding, &error));
        EXPECT_EQ(back, text);
        EXPECT_EQ(encoding.codec, "UTF-8");
    }
    // Line ends come in as they are stored: the editor keeps each line's own.
    writeBytes(path, "a\r\nb\rc\n");
    QString back, error;
    ScriptEncoding encoding;
    ASSERT_TRUE(readScriptFile(path, &back, &encoding, &error));
    EXPECT_EQ(back, "a\r\nb\rc\n");
    EXPECT_FALSE(readScriptFile(dir.filePath("missing.js"), &back, &encoding, &error));
    EXPECT_FALSE(error.isEmpty());
    // Bytes that are no text it could write back unchanged are refused with a reason.
    writeBytes(path, QByteArray("ok \x81\x20 \xFF"));
    error.clear();
    EXPECT_FALSE(readScriptFile(path, &back, &encoding, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(ScriptFiles, AFailedSaveLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    // Writable for everyone, so that only the file's own mode protects it.
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                              | QFileDevice::ReadOther | QFileDevice::WriteOther
                              | QFileDevice::ExeOther);
    const QString path = dir.filePath("kept.js");
    writeBytes(path, "old text\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    {
        test::Unprivileged user;
        QString error;
        EXPECT_FALSE(writeScriptFile(path, "new text\n", ScriptEncoding(), &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(readBytes(path), "old text\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.js"});

    // A folder that does not exist: nothing is written anywhere.
    QString error;
    EXPECT_FALSE(writeScriptFile(dir.filePath("no/such/folder.js"), "x", ScriptEncoding(), &error));
}

TEST(VariableTable, OneRowPerVariable)
{
    QJsonArray variables;
    variables.append(QJsonObject{{"x", "1"}});
    variables.append(QJsonObject{{"name", "中文"}});
    variables.append(QJsonObject{{"n", 2.5}});
    std::unique_ptr<QStandardItemModel> model(variableModel(variables, nullptr));
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_EQ(model->columnCount(), 2);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "名称");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "值");
    const QStringList expected[] = {{"x", "1"}, {"name", "中文"}, {"n", "2.5"}};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(model->item(row, 0)->text(), expected[row][0]);
        EXPECT_EQ(model->item(row, 1)->text(), expected[row][1]);
    }
    std::unique_ptr<QStandardItemModel> empty(variableModel(QJsonArray(), nullptr));
    EXPECT_EQ(empty->rowCount(), 0);
}

TEST(SingleInstance, AnotherStudioIsOneWithTheExactNameAndAnotherPid)
{
    using tavix::platform::ProcessEntry;
    const std::vector<ProcessEntry> table = {
        {100, "bash"}, {101, "vantor"}, {102, "Vantor-old"}, {200, "Vantor"}};
    EXPECT_FALSE(anotherInstanceRunning("Vantor", 200, table));  // ourselves only
    std::vector<ProcessEntry> withSecond = table;
    withSecond.push_back({300, "Vantor"});
    EXPECT_TRUE(anotherInstanceRunning("Vantor", 200, withSecond));
    // No process table: the studio starts.
    EXPECT_FALSE(anotherInstanceRunning("Vantor", 300, std::nullopt));
}

TEST(SingleInstance, TheTestProgramIsNotAStudio)
{
    EXPECT_FALSE(
        anotherInstanceRunning(studioExecutableName(), QCoreApplication::applicationPid()));
    // This very process is found by its own name when it is not the asking one.
    const QString ownName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    EXPECT_TRUE(anotherInstanceRunning(ownName, 1));
}

}  // namespace
}  // namespace vantor
