// The API catalogue's groups and entries, the reference made from the same
// table, and both checked against the script objects the host really offers.
#include <QFile>
#include <QMetaMethod>
#include <QScriptEngine>
#include <QScriptValueIterator>
#include <QSet>
#include <QStandardItemModel>
#include <gtest/gtest.h>
#include <map>

#include "api_catalogue.h"
#include "api_table.h"
#include "catalogue_model.h"
#include "catalogue_text.h"
#include "script_api_doc.h"
#include "tavix_mgr.h"

namespace vantor::test {
namespace {

struct ExpectedGroup {
    const char* title;
    int count;
    const char* first;
    const char* last;
};

// Titles, sizes and end entries of the eleven groups.
const ExpectedGroup kGroups[] = {
    {"常用函数（双击下列函数，点击启动按钮）", 17, nullptr, "toast(\"hello\")"},
    {"app类", 2, "app.launchApp(appName)", "app.openUrl(url)"},
    {"baseclass基础函数全局", 6, "getClip()", "toast(message)"},
    {"cs控件类", 18, "cs.home()", "cs.keyUp(n)"},
    {"device设备类", 11, "device.baseOS()", "device.width()"},
    {"file文件类", 23, "file.append(path,text,[encoding])", "file.write(path,text,[encoding])"},
    {"image图片类", 23, "image.blur(img,x,y,type,[point])", "image.toBytes(img,format,quality)"},
    {"imagev图片可视化操控类", 17, "imagev.mouseLeftClick(\"📷\")", "imagev.findImage(\"📷\")"},
    {"ocr图像识别类", 2, "ocr.imgText(\"📷\")", "ocr.imgTextPath()"},
    {"sqlite数据库操作类", 5, "sqlite.close()", "sqlite.execSQL(sql)"},
    {"utils工具类", 16, "utils.createQRCode(content,width,[logo])",
     "utils.zipFile(filePath, dest, [password])"},
};

TEST(Catalogue, GroupsAndEntryCountsInDisplayOrder)
{
    const QVector<CatalogueGroup> groups = apiCatalogue();
    ASSERT_EQ(groups.size(), 11);
    for (int i = 0; i < groups.size(); ++i) {
        const ExpectedGroup& expected = kGroups[i];
        SCOPED_TRACE(expected.title);
        EXPECT_EQ(groups[i].title, QString::fromUtf8(expected.title));
        ASSERT_EQ(groups[i].entries.size(), expected.count);
        if (expected.first) {
            EXPECT_EQ(groups[i].entries.first(), QString::fromUtf8(expected.first));
        }
        EXPECT_EQ(groups[i].entries.last(), QString::fromUtf8(expected.last));
    }
}

TEST(Catalogue, EntriesThatNeedAPictureCarryTheCameraSymbol)
{
    int camera = 0;
    for (const CatalogueGroup& group : apiCatalogue())
        for (const QString& entry : group.entries)
            camera += needsPicture(entry) ? 1 : 0;
    // Four in the first group, seventeen imagev entries, one ocr entry.
    EXPECT_EQ(camera, 22);
    const uint camera_code = 0x1F4F7;
    EXPECT_EQ(kCameraSymbol, QString::fromUcs4(&camera_code, 1));
}

// The first group runs as inserted on Linux: its paths exist here.
TEST(Catalogue, FirstGroupNamesPathsThatExistOnThisSystem)
{
    const QStringList common = apiCatalogue().first().entries;
    EXPECT_EQ(common.first(), "app.launchApp(\"/etc/os-release\")");
    EXPECT_TRUE(QFile::exists("/etc/os-release"));
    EXPECT_TRUE(common.contains("image.read(\"/tmp/a.png\")"));
    EXPECT_TRUE(common.contains("image.save(img,\"/tmp/a.png\", \"png\", 100)"));
    EXPECT_TRUE(common.contains("screenshots(\"/tmp/a.png\")"));
    for (const QString& entry : common)
        EXPECT_FALSE(entry.contains("c:/", Qt::CaseInsensitive)) << entry.toStdString();
}

TEST(Catalogue, ModelHasGroupsWithTheirEntriesAndTextOnly)
{
    QObject owner;
    QStandardItemModel* model = buildCatalogueModel(&owner);
    ASSERT_EQ(model->rowCount(), 11);
    const QVector<CatalogueGroup> groups = apiCatalogue();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex group = model->index(row, 0);
        EXPECT_EQ(group.data().toString(), groups[row].title);
        ASSERT_EQ(model->rowCount(group), groups[row].entries.size());
        EXPECT_TRUE(model->index(0, 0, group).isValid());
        for (int entry = 0; entry < model->rowCount(group); ++entry) {
            const QModelIndex index = model->index(entry, 0, group);
            EXPECT_EQ(index.data().toString(), groups[row].entries[entry]);
            EXPECT_FALSE(model->index(0, 0, index).isValid());
            EXPECT_FALSE(index.data(Qt::DecorationRole).isValid());
        }
    }
}

TEST(CatalogueText, PictureReplacesEveryCameraSymbolAsAPngDataUrl)
{
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    const QString url = pictureDataUrl(picture);
    ASSERT_TRUE(url.startsWith("data:image/png;base64,"));
    const QByteArray png = QByteArray::fromBase64(url.mid(22).toLatin1());
    EXPECT_EQ(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_FALSE(url.contains('\n'));

    const QString twice = QString("a(\"%1\", \"%1\")").arg(kCameraSymbol);
    EXPECT_EQ(withPicture(twice, picture), QString("a(\"%1\", \"%1\")").arg(url));
    EXPECT_EQ(statementOf("cs.home()"), "cs.home();\n");
    EXPECT_TRUE(pictureDataUrl(QImage()).isEmpty());
}

// Call forms by object and name, as the reference lists them.
std::map<QString, std::vector<const ApiForm*>> referenceForms()
{
    std::map<QString, std::vector<const ApiForm*>> forms;
    for (const ApiMethod& method : apiMethods()) {
        const QString key = QString::fromUtf8(method.object) + '.' + QString::fromUtf8(method.name);
        for (const ApiForm& form : method.forms)
            forms[key].push_back(&form);
    }
    return forms;
}

bool formTakes(const ApiForm& form, int count)
{
    int required = 0;
    for (const ApiParam& param : form.params)
        required += param.defaultValue ? 0 : 1;
    return count >= required && count <= static_cast<int>(form.params.size());
}

// Every public slot of every host object, and every global function, is in
// the reference with a form that takes its arguments; nothing else is.
TEST(ScriptApiReference, MatchesTheScriptObjectsOfTheHost)
{
    QScriptEngine* engine = TavixMgr::instance()->engine();
    const auto forms = referenceForms();
    QSet<QString> offered;
    // What any script engine has of its own is not the host's.
    QScriptEngine plain;
    QScriptValueIterator it(engine->globalObject());
    int objects = 0;
    while (it.hasNext()) {
        it.next();
        if (plain.globalObject().property(it.name()).isValid())
            continue;
        const QScriptValue value = it.value();
        if (QObject* object = value.toQObject()) {
            ++objects;
            const QMetaObject* meta = object->metaObject();
            for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
                const QMetaMethod method = meta->method(i);
                if (method.methodType() != QMetaMethod::Slot
                    || method.access() != QMetaMethod::Public)
                    continue;
                const QString key = it.name() + '.' + QString::fromLatin1(method.name());
                offered << key;
                const auto found = forms.find(key);
                ASSERT_NE(found, forms.end()) << "not in the reference: " << key.toStdString();
                bool fits = false;
                for (const ApiForm* form : found->second)
                    fits = fits || formTakes(*form, method.parameterCount());
                EXPECT_TRUE(fits) << key.toStdString() << " with " << method.parameterCount()
                                  << " arguments";
            }
        } else if (value.isFunction()) {
            const QString key = '.' + it.name();
            offered << key;
            EXPECT_NE(forms.find(key), forms.end())
                << "not in the reference: " << it.name().toStdString();
        }
    }
    EXPECT_EQ(objects, 10);  // the nine script objects and log
    for (const auto& [key, list] : forms)
        EXPECT_TRUE(offered.contains(key)) << "the host has no " << key.toStdString();
}

TEST(ScriptApiReference, CommittedPageIsTheGeneratedOne)
{
    QFile committed(qEnvironmentVariable("TAVIX_SOURCE_DIR") + "/docs/script-api.md");
    ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << committed.fileName().toStdString();
    EXPECT_TRUE(QString::fromUtf8(committed.readAll()) == scriptApiReference())
        << "docs/script-api.md is stale: build the target update_script_api_doc";
}

TEST(ScriptApiReference, ListsEveryCatalogueEntryAndItsDefaults)
{
    const QString page = scriptApiReference();
    for (const CatalogueGroup& group : apiCatalogue().mid(1))
        for (const QString& entry : group.entries)
            EXPECT_TRUE(page.contains("catalogue entry: `" + entry + "`")) << entry.toStdString();
    for (const char* form :
         {"image.findImage(img, template, threshold = 0.9, rect = null, level = 0)",
          "file.read(path, encoding = \"UTF-8\")", "utils.zipFile(filePath, dest, password = none)",
          "image.toBase64(img, format = \"PNG\", quality = -1)", "log.info(text)", "require(name)",
          "imagev.mouseLeftClickRect(imgdata, rect = null)"})
        EXPECT_TRUE(page.contains(QString("`%1`").arg(form))) << form;
}

}  // namespace
}  // namespace vantor::test
