// require(): search order, the $MODULES cache, module scope and bad modules.
#include <QDir>
#include <QFile>
#include <unistd.h>
#include <QScriptEngine>
#include <gtest/gtest.h>

#include "log_capture.h"
#include "script_harness.h"
#include "tavix_mgr.h"

using vantor::test::evaluate;
using vantor::test::WorkFolder;

namespace {

TEST(Require, FindsTheMainScriptsModuleInTheCurrentDirectoryAndEvaluatesItOnce)
{
    WorkFolder folder;
    folder.write("counter.js", "loads = (typeof loads == 'number' ? loads : 0) + 1;\n"
                               "var hidden = 5;\nexports.value = 42;\n");
    EXPECT_EQ(evaluate("var m1 = require('counter.js'); var m2 = require('./counter.js');"
                       "[m1.value, m1 === m2, loads, typeof hidden].join()"),
              "42,true,1,undefined");
    // A later run gets the cached exports, even after the file changed.
    folder.write("counter.js", "exports.value = 7;");
    EXPECT_EQ(evaluate("[require('counter.js') === m1, require('counter.js').value, loads].join()"),
              "true,42,1");
    const QString key = QDir(folder.path()).canonicalPath() + "/counter.js";
    EXPECT_EQ(evaluate("$MODULES['" + key + "'] === m1"), "true");
}

TEST(Require, AModuleSearchesBesideItselfFirst)
{
    WorkFolder folder;
    folder.write("helper.js", "exports.where = 'top';");
    folder.write("lib/helper.js", "exports.where = 'lib';");
    folder.write("lib/user.js", "exports.helper = require('helper.js').where;");
    EXPECT_EQ(evaluate("require('lib/user.js').helper + ',' + require('helper.js').where"),
              "lib,top");
}

TEST(Require, ExportsMayBeReplacedByAFunction)
{
    WorkFolder folder;
    folder.write("twice.js", "exports = function (x) { return 2 * x; };");
    EXPECT_EQ(evaluate("require('twice.js')(21)"), "42");
}

TEST(Require, AMissingDirectoryPartFallsBackToTheSearchDirectoryItself)
{
    WorkFolder folder;
    folder.write("plain.js", "exports.ok = 'plain';");
    EXPECT_EQ(evaluate("require('no/such/dir/plain.js').ok"), "plain");
}

TEST(Require, PushedPathsAreSearchedAfterTheCallersDirectory)
{
    WorkFolder folder;
    WorkFolder elsewhere;  // now the current directory
    folder.write("pushed.js", "exports.from = 'pushed';");
    elsewhere.write("shadow.js", "exports.from = 'current';");
    folder.write("shadow.js", "exports.from = 'pushed';");
    EXPECT_EQ(evaluate("require.paths.push('" + folder.path() + "');"
                       "require('pushed.js').from + ',' + require('shadow.js').from"),
              "pushed,current");
    evaluate("require.paths.pop()");
}

TEST(Require, MissingModulesAndDirectoriesGiveUndefinedAndALogLine)
{
    WorkFolder folder;
    QDir(folder.path()).mkdir("adir");
    tavix::test::LogCapture log;
    EXPECT_EQ(evaluate("typeof require('absent.js')"), "undefined");
    EXPECT_TRUE(log.contains("require() file not found: absent.js"));
    EXPECT_EQ(evaluate("typeof require('adir')"), "undefined");
    EXPECT_TRUE(log.contains("require() file not found: adir"));
    EXPECT_EQ(evaluate("typeof require()"), "undefined");
}

TEST(Require, AThrowingModuleThrowsToItsCallerAndRunsAgainWhenNextRequired)
{
    WorkFolder folder;
    folder.write("bad.js",
                 "loadsOfBad = (typeof loadsOfBad == 'number' ? loadsOfBad : 0) + 1;\n"
                 "exports.before = 1;\nthrow new Error('module failed');\n");
    EXPECT_EQ(evaluate("try { require('bad.js'); 'no error' } catch (e) { String(e) }"),
              "Error: module failed");
    // Its half-made exports are not kept: the module runs again and fails again.
    EXPECT_EQ(evaluate("try { require('bad.js'); 'no error' }"
                       "catch (e) { String(e) + ',' + loadsOfBad }"),
              "Error: module failed,2");
    const QString key = QDir(folder.path()).canonicalPath() + "/bad.js";
    EXPECT_EQ(evaluate("'" + key + "' in $MODULES"), "false");
    // Mended, it loads, and from then on it is kept.
    folder.write("bad.js", "loadsOfBad += 1;\nexports.before = 2;\n");
    EXPECT_EQ(evaluate("[require('bad.js').before, require('bad.js').before, loadsOfBad].join()"),
              "2,2,3");
}

TEST(Require, ASyntaxErrorInAModuleReachesTheCaller)
{
    WorkFolder folder;
    folder.write("broken.js", "exports.x = (;\n");
    EXPECT_EQ(evaluate("try { require('broken.js'); 'no error' } catch (e) { e.name }"),
              "SyntaxError");
}

TEST(Require, ACycleGetsThePartialExportsInsteadOfRecursing)
{
    WorkFolder folder;
    folder.write("a.js", "exports.name = 'a';\nexports.peer = require('b.js');\n");
    folder.write("b.js", "exports.sawA = require('a.js').name;\n");
    EXPECT_EQ(evaluate("var a = require('a.js'); a.name + ',' + a.peer.sawA"), "a,a");
}

TEST(Require, AModuleIsCutAtItsFirstZeroByte)
{
    WorkFolder folder;
    folder.write("zero.js", QByteArray("exports.v = 'kept';", 19) + QByteArray(1, '\0') + "syntax error here(");
    EXPECT_EQ(evaluate("require('zero.js').v"), "kept");
}

TEST(Require, AnUnreadableModuleIsLoggedAndGivesEmptyExports)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every file";
    WorkFolder folder;
    const QString path = folder.write("locked.js", "exports.v = 1;");
    QFile::setPermissions(path, QFileDevice::Permissions());
    tavix::test::LogCapture log;
    EXPECT_EQ(evaluate("JSON.stringify(require('locked.js'))"), "{}");
    EXPECT_TRUE(log.contains("require() cannot read file:"));
}

TEST(Require, ScriptsMayReplaceTheLoaderAndItsCache)
{
    EXPECT_EQ(evaluate("var saved = require; require = function () { return 'mine'; };"
                       "var r = require('x'); require = saved; r"),
              "mine");
}

}  // namespace
