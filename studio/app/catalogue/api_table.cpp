#include "api_table.h"

namespace vantor {

namespace {

ApiParam req(const char* name, const char* type)
{
    return {name, type, nullptr};
}
ApiParam opt(const char* name, const char* type, const char* defaultValue)
{
    return {name, type, defaultValue};
}

const char* const kNothing = "undefined";
const char* const kBool = "boolean";
const char* const kNumber = "number";
const char* const kText = "text";
const char* const kHandle = "image handle";
const char* const kPoint = "point {x, y}, or undefined";

// The null rectangle: the whole image or the whole screen.
const char* const kNoRect = "null";

// The tables read best one entry a line; the formatter would break them up.
// clang-format off
std::vector<ApiObject> makeObjects()
{
    return {
        {"app", "app类", "Starts programs and opens web addresses with the desktop's default handler."},
        {"", "baseclass基础函数全局",
         "Global functions: clipboard, pixel colour, message box, screenshot file, sleep, toast; "
         "and `require` for modules."},
        {"cs", "cs控件类",
         "Mouse and keyboard input. Coordinates are desktop pixels from the primary screen's top "
         "left; key codes are Windows virtual-key codes (65 = A, 13 = Return, 91 = the Windows/Super key)."},
        {"device", "device设备类", "Screen size, power, brightness, volume and system names."},
        {"file", "file文件类", "Files and folders. Texts are written and read in the encoding named (UTF-8 by default)."},
        {"image", "image图片类",
         "Pictures held in image handles: read, transform, search and save them. Operations that "
         "leave their result in the engine return the engine's shared handle, which the next image "
         "operation overwrites: keep a result with `image.copy`."},
        {"imagev", "imagev图片可视化操控类",
         "Finds a template picture (a data URL, usually a screenshot pasted into the script) on the "
         "live screen and clicks or presses on its centre. An optional rectangle made by "
         "`image.rect(x, y, width, height)` limits the search to that area of the screen."},
        {"ocr", "ocr图像识别类", "Text recognition of pictures through the external OCR program."},
        {"sqlite", "sqlite数据库操作类", "One SQLite database: the one named by the last `creat` call."},
        {"utils", "utils工具类",
         "Digests, ciphers, Base64 and hex, random numbers, QR codes and zip archives."},
        {"log", nullptr, "Messages to the studio's log panel, or to standard output under `vantor-run`."},
    };
}

std::vector<ApiMethod> makeMethods()
{
    const ApiParam path = req("path", "text");
    const ApiParam x = req("x", "number");
    const ApiParam y = req("y", "number");
    const ApiParam img = req("img", "image");
    const ApiParam imgdata = req("imgdata", "text (data URL)");
    const ApiParam area = opt("rect", "rect", kNoRect);
    const ApiParam encoding = opt("encoding", "text", "\"UTF-8\"");
    const ApiParam src = req("src", "text");
    const ApiParam key = req("key", "text");
    const ApiParam password = opt("password", "text", "none");
    const ApiParam format = opt("format", "text", "\"PNG\"");
    const ApiParam quality = opt("quality", "number", "-1");
    const ApiParam code = req("code", "number");

    const char* const imagevResult = "boolean: whether the template was found and acted on";

    return {
        // app
        {"app", "launchApp", "app.launchApp(appName)", {{{req("appName", "text")}, kBool}},
         "Opens the program or file at the path with the desktop's default handler; false when the path does not exist."},
        {"app", "openUrl", "app.openUrl(url)", {{{req("url", "text")}, kBool}},
         "Opens the web address in the default browser; false when it does not parse as an address."},

        // global functions
        {"", "getClip", "getClip()", {{{}, kText}}, "The clipboard's text."},
        {"", "getColor", "getColor(x, y)", {{{x, y}, "text \"#rrggbb\""}},
         "The colour of the screen pixel at (x, y)."},
        {"", "msg", "msg(message)", {{{req("message", "text")}, "the number 1"}},
         "Shows a message box and waits until it is closed."},
        {"", "screenshots", "screenshots(path)", {{{path}, kBool}},
         "Saves a grab of the whole primary screen as a picture file (format from the file's extension)."},
        {"", "sleep", "sleep(n)", {{{req("n", "number")}, "the number 1"}}, "Waits n milliseconds."},
        {"", "toast", "toast(message)", {{{req("message", "text")}, "the number 1"}},
         "Shows a message that closes itself; returns at once."},
        {"", "require", nullptr, {{{req("name", "text")}, "the module's exports, or undefined"}},
         "Loads a module file (once per process) from the calling script's folder, then from the "
         "folders in `require.paths`; the module publishes its API through `exports`. Loaded "
         "modules are cached in `$MODULES` under their absolute path."},

        // cs
        {"cs", "home", "cs.home()", {{{}, kNothing}}, "Shows the desktop (minimises the windows, as Super+D does)."},
        {"cs", "mouseLeftClick", "cs.mouseLeftClick(x, y)", {{{x, y}, kNothing}}, "Moves the mouse to (x, y) and clicks the left button."},
        {"cs", "mouseLeftDoubleClick", "cs.mouseLeftDoubleClick(x, y)", {{{x, y}, kNothing}}, "Double-clicks the left button at (x, y)."},
        {"cs", "mouseLeftDown", "cs.mouseLeftDown(x, y)", {{{x, y}, kNothing}}, "Presses the left button at (x, y) and keeps it down."},
        {"cs", "mouseLeftUp", "cs.mouseLeftUp(x, y)", {{{x, y}, kNothing}}, "Releases the left button at (x, y)."},
        {"cs", "mouseRightClick", "cs.mouseRightClick(x, y)", {{{x, y}, kNothing}}, "Clicks the right button at (x, y)."},
        {"cs", "mouseRightDoubleClick", "cs.mouseRightDoubleClick(x, y)", {{{x, y}, kNothing}}, "Double-clicks the right button at (x, y)."},
        {"cs", "mouseRightDown", "cs.mouseRightDown(x, y)", {{{x, y}, kNothing}}, "Presses the right button at (x, y)."},
        {"cs", "mouseRightUp", "cs.mouseRightUp(x, y)", {{{x, y}, kNothing}}, "Releases the right button at (x, y)."},
        {"cs", "mouseMiddleClick", "cs.mouseMiddleClick(x, y)", {{{x, y}, kNothing}}, "Clicks the middle button at (x, y)."},
        {"cs", "mouseMiddleDoubleClick", "cs.mouseMiddleDoubleClick(x, y)", {{{x, y}, kNothing}}, "Double-clicks the middle button at (x, y)."},
        {"cs", "mouseMiddleDown", "cs.mouseMiddleDown(x, y)", {{{x, y}, kNothing}}, "Presses the middle button at (x, y)."},
        {"cs", "mouseMiddleUp", "cs.mouseMiddleUp(x, y)", {{{x, y}, kNothing}}, "Releases the middle button at (x, y)."},
        {"cs", "mouseMove", "cs.mouseMove(x, y)", {{{x, y}, kNothing}}, "Moves the mouse to (x, y)."},
        {"cs", "mouseDrag", "cs.mouseDrag(x, y)", {{{x, y, req("x1", "number"), req("y1", "number")}, kNothing}},
         "Drags with the left button from (x, y) to (x1, y1). All four coordinates are required."},
        {"cs", "keyDown", "cs.keyDown(n)", {{{code}, kNothing}}, "Presses the key with the virtual-key code and keeps it down."},
        {"cs", "keyPress", "cs.keyPress(n)", {{{code}, kNothing}}, "Presses and releases the key with the virtual-key code."},
        {"cs", "keyUp", "cs.keyUp(n)", {{{code}, kNothing}}, "Releases the key with the virtual-key code."},

        // device
        {"device", "baseOS", "device.baseOS()", {{{}, kText}}, "The operating system's name and version."},
        {"device", "board", "device.board()", {{{}, kText}}, "The main board's maker and product."},
        {"device", "BootLoader", "device.BootLoader()", {{{}, kText}}, "The firmware's maker and version."},
        {"device", "getBattery", "device.getBattery()", {{{}, kNumber}}, "The battery charge in percent."},
        {"device", "getBrightness", "device.getBrightness()", {{{}, "text (a decimal number)"}}, "The screen brightness."},
        {"device", "getMusicMaxVolume", "device.getMusicMaxVolume()", {{{}, kNumber}}, "The volume of the default output device."},
        {"device", "height", "device.height()", {{{}, kNumber}}, "The primary screen's height in pixels."},
        {"device", "isCharging", "device.isCharging()", {{{}, kBool}}, "Whether the computer runs on mains power."},
        {"device", "isScreenOn", "device.isScreenOn()", {{{}, kBool}}, "Whether the screen is on."},
        {"device", "setBrightness", "device.setBrightness(num)", {{{req("num", "number")}, kBool}}, "Sets the screen brightness."},
        {"device", "width", "device.width()", {{{}, kNumber}}, "The primary screen's width in pixels."},

        // file
        {"file", "append", "file.append(path,text,[encoding])", {{{path, req("text", "text"), encoding}, kBool}},
         "Appends the text to the file, creating it when missing."},
        {"file", "appendBytes", "file.appendBytes(path,text)", {{{path, req("bytes", "array of numbers")}, kBool}},
         "Appends bytes (an array of numbers 0 to 255; larger numbers keep their low eight bits) to the file."},
        {"file", "copy", "file.copy(formPath,toPath)", {{{req("fromPath", "text"), req("toPath", "text")}, kBool}}, "Copies a file."},
        {"file", "create", "file.create(path)", {{{path}, kBool}}, "Creates an empty file."},
        {"file", "remove", "file.remove(path)", {{{path}, kBool}}, "Deletes a file."},
        {"file", "exists", "file.exists(path)", {{{path}, kBool}}, "Whether a file or folder exists at the path."},
        {"file", "getFileLiens", "file.getFileLiens(path)", {{{path}, kNumber}}, "The number of lines of a text file."},
        {"file", "getFileLongDate", "file.getFileLongDate(path)", {{{path}, kText}},
         "The last modification as seconds since 1970-01-01 UTC, in decimal digits."},
        {"file", "getFileSize", "file.getFileSize(path)", {{{path}, kNumber}}, "The size in bytes; -1 when the file cannot be opened."},
        {"file", "getFileStringDate", "file.getFileStringDate(path)", {{{path}, kText}},
         "The last modification in local time, \"yyyy-MM-dd HH:mm:ss\"."},
        {"file", "getName", "file.getName(path)", {{{path}, kText}}, "The file name without its folder."},
        {"file", "isDir", "file.isDir(path)", {{{path}, kBool}}, "Whether the path is a folder."},
        {"file", "isEmptyDir", "file.isEmptyDir(path)", {{{path}, kBool}}, "Whether the path is a folder without entries."},
        {"file", "isFile", "file.isFile(path)", {{{path}, kBool}}, "Whether the path is a file."},
        {"file", "listDirCount", "file.listDirCount(path)", {{{path}, kNumber}}, "The number of entries of a folder."},
        {"file", "listDir", "file.listDir(path)", {{{path}, "array of texts"}},
         "The names of a folder's entries; empty for a missing or empty folder."},
        {"file", "mkdirs", "file.mkdirs(path)", {{{path}, kBool}}, "Creates a folder and any missing parent folders."},
        {"file", "move", "file.move(fromPath,toPath)", {{{req("fromPath", "text"), req("toPath", "text")}, kBool}}, "Moves a file."},
        {"file", "read", "file.read(path,[encoding])", {{{path, encoding}, kText}},
         "The whole text of a file, up to its first zero byte; \"\" when it cannot be read."},
        {"file", "readBytes", "file.readBytes(path)", {{{path}, "array of numbers 0 to 255"}},
         "The bytes of a file; an empty array when it cannot be read."},
        {"file", "readLineByNum", "file.readLineByNum(path,lines)", {{{path, req("line", "number")}, kText}},
         "One line of a text file, counted from 1."},
        {"file", "rename", "file.rename(fromPath,name)", {{{req("fromPath", "text"), req("name", "text")}, kBool}},
         "Gives a file a new name (a name, not a path) in its folder."},
        {"file", "write", "file.write(path,text,[encoding])", {{{path, req("text", "text"), encoding}, kBool}},
         "Replaces the file's contents by the text."},

        // image
        {"image", "blur", "image.blur(img,x,y,type,[point])",
         {{{img, req("x", "number"), req("y", "number"), req("type", "number"), req("point", "number")}, kHandle}},
         "Gaussian blur of one colour channel (type: 0 blue, 1 green, 2 red, 3 alpha) with an x by y kernel "
         "(odd sizes) and sigma `point`, in place: returns `img`. All five arguments are required."},
        {"image", "clip", "image.clip(img,x,y,w,h)",
         {{{img, x, y, req("w", "number"), req("h", "number")}, kHandle}},
         "Cuts the w by h area at (x, y) out of the picture, in place: returns `img`."},
        {"image", "concat", "image.concat(img1,img2,direction)",
         {{{req("img1", "image"), req("img2", "image"), req("direction", "number")}, kHandle},
          {{req("img1Path", "text"), req("img2Path", "text"), req("direction", "number"),
            req("savePath", "text"), format, opt("quality", "number", "100")}, kHandle}},
         "Joins two pictures; direction puts the second one to the left (3), right (5), above (48) or "
         "below (80) of the first. The handle form changes and returns `img1`; the path form reads "
         "both files and saves the result to savePath."},
        {"image", "copy", nullptr, {{{img}, kHandle}},
         "A new handle with its own copy of the picture, which later operations do not overwrite."},
        {"image", "cvtColor", "image.cvtColor(img,code,[dstCn])",
         {{{img, code, opt("dstCn", "number", "0")}, kHandle}},
         "Colour conversion with an OpenCV conversion code, in place: returns `img`."},
        {"image", "detectsColor", "image.detectsColor(img,color,x,y,threshold,algorithm)",
         {{{img, req("color", "text"), x, y, req("threshold", "number"), req("algorithm", "text")},
           "point {x, y} (the tested point), or undefined"}},
         "Whether the pixel at (x, y) matches the colour \"#rrggbb\"; algorithm is one of \"equal\", "
         "\"diff\", \"rgb\", \"rgb+\", \"hs\"."},
        {"image", "findColor", "image.findColor(img,color,[threshold],[rect])",
         {{{img, req("color", "text"), opt("threshold", "number", "16"), area}, kPoint}},
         "The first pixel whose colour lies within threshold of the colour. The rectangle's corners "
         "are (topLeft) and (bottomRight) of `image.rect(x1, y1, x2, y2)`."},
        {"image", "findColorEquals", "image.findColorEquals(img,color,[rect])",
         {{{img, req("color", "text"), area}, kPoint}}, "The first pixel of exactly the colour."},
        {"image", "findImage", "image.findImage(img,template,[threshold],[rect],[level])",
         {{{img, req("template", "image"), opt("threshold", "number", "0.9"), area, opt("level", "number", "0")}, kPoint}},
         "Where the template picture appears in the picture (its centre), with a match score of at least threshold."},
        {"image", "fromBase64", "image.fromBase64(data)", {{{req("data", "text")}, kHandle}},
         "A picture from Base64 text or a data URL; the shared handle, or a null handle."},
        {"image", "fromBytes", "image.fromBytes(bytes)", {{{req("bytes", "array")}, kHandle}},
         "A picture from the bytes of a picture file; the shared handle, or a null handle."},
        {"image", "gaussianBlur", "image.gaussianBlur(img,x,y,sigmaX,sigmaY,type)",
         {{{img, x, y, opt("sigmaX", "number", "0"), opt("sigmaY", "number", "0"), opt("type", "number", "0")}, kHandle}},
         "Gaussian blur with an x by y kernel; the shared handle."},
        {"image", "grayscale", "image.grayscale(img,[dstCn])", {{{img, opt("dstCn", "number", "100")}, kHandle}},
         "The picture in shades of gray; the shared handle."},
        {"image", "inRange", "image.inRange(img,lowerBound,upperBound)",
         {{{img, req("lowerBound", "number"), req("upperBound", "number")}, kHandle}},
         "Black and white: pixels above Otsu's level become upperBound, the others 0; the shared handle."},
        {"image", "interval", "image.interval(img,color,threshold)",
         {{{img, req("color", "text"), req("threshold", "number")}, kHandle}},
         "A mask: white where the colour lies within threshold of `color`, black elsewhere; the shared handle."},
        {"image", "load", "image.load(url)", {{{req("url", "text")}, kHandle}},
         "A picture downloaded from a web address; the shared handle, or a null handle."},
        {"image", "pixel", "image.pixel(img,x,y)", {{{img, x, y}, "number 0xAARRGGBB"}}, "The colour of one pixel."},
        {"image", "read", "image.read(path)", {{{path}, kHandle}},
         "A new handle with the picture file (its picture is null when the file cannot be read)."},
        {"image", "rect", nullptr,
         {{{x, y, req("width", "number"), req("height", "number")}, "rect {topLeft: {x, y}, bottomRight: {x: width, y: height}}"}},
         "A rectangle for the search methods: an area of width by height at (x, y) to `imagev`, the "
         "corners (x, y) and (width, height) to `image`."},
        {"image", "resize", "image.resize(img,x,y,interpolation)",
         {{{img, req("width", "number"), req("height", "number"), opt("interpolation", "number", "1")}, kHandle}},
         "The picture at a new size; the shared handle."},
        {"image", "rotate", "image.rotate(img,x,y,degree)", {{{img, x, y, req("degree", "number")}, kHandle}},
         "The picture rotated by degree around (x, y), same size; the shared handle."},
        {"image", "save", "image.save(img,path,format,quality)",
         {{{img, path, req("format", "text"), req("quality", "number")}, kBool}},
         "Saves the picture to a file (format \"png\", \"jpg\", ...; quality 0 to 100, -1 for the default)."},
        {"image", "scale", "image.scale(img,x,y,interpolation)",
         {{{img, req("width", "number"), req("height", "number"), opt("interpolation", "number", "1")}, kHandle}},
         "The same as `image.resize`."},
        {"image", "toBase64", "image.toBase64(img,format,quality)", {{{img, format, quality}, "text, or false"}},
         "The picture encoded as a file of the format, in Base64."},
        {"image", "toBytes", "image.toBytes(img,format,quality)", {{{img, format, quality}, "byte array, or 0"}},
         "The picture encoded as a file of the format; element i is byte i (-128 to 127), `length` the byte count."},

        // imagev
        {"imagev", "mouseLeftClick", "imagev.mouseLeftClick(\"📷\")", {{{imgdata, area}, imagevResult}},
         "Finds the template on the screen and clicks the left button on its centre."},
        {"imagev", "mouseLeftClickRect", "imagev.mouseLeftClickRect(\"📷\",[rect])", {{{imgdata, area}, imagevResult}},
         "The same as `imagev.mouseLeftClick`."},
        {"imagev", "mouseLeftDoubleClick", "imagev.mouseLeftDoubleClick(\"📷\")", {{{imgdata, area}, imagevResult}},
         "Finds the template and double-clicks the left button on its centre."},
        {"imagev", "mouseLeftDoubleClickRect", "imagev.mouseLeftDoubleClickRect(\"📷\",[rect])", {{{imgdata, area}, imagevResult}},
         "The same as `imagev.mouseLeftDoubleClick`."},
        {"imagev", "mouseLeftDown", "imagev.mouseLeftDown(\"📷\")", {{{imgdata, area}, imagevResult}},
         "Finds the template and presses the left button on its centre."},
        {"imagev", "mouseLeftDownRect", "imagev.mouseLeftDownRect(\"📷\",[rect])", {{{imgdata, area}, imagevResult}},
         "The same as `imagev.mouseLeftDown`."},
        {"imagev", "mouseLeftUp", "imagev.mouseLeftUp(\"📷\")", {{{imgdata, area}, imagevResult}},
         "Finds the template and releases the left button on its centre."},
        {"imagev", "mouseLeftUpRect", "imagev.mouseLeftUpRect(\"📷\",[rect])", {{{imgdata, area}, imagevResult}},
         "The same as `imagev.mouseLeftUp`."},
        {"imagev", "mouseRightClick", "imagev.mouseRightClick(\"📷\")", {{{imgdata, area}, imagevResult}},
         "Finds the template and clicks the right button on its centre."},
        {"imagev", "mouseRightClickRect", "imagev.mouseRightClickRect(\"📷\",[rect])", {{{imgdata, area}, imagevResult}},
         "The same as `imagev.mouseRightClick`."},
        {"imagev", "mouseRightDoubleClick", "imagev.mouseRightDoubleClick(\"📷\")", {{{imgdata, area}, imagevResult}},
         "Finds the template and double-clicks the right button on its centre."},
        {"imagev", "mouseRightDoubleClickRect", "imagev.mouseRightDoubleClickRect(\"📷\",[rect])", {{{imgdata, area}, imagevResult}},
         "The same as `imagev.mouseRightDoubleClick`."},
        {"imagev", "mouseRightDown", "imagev.mouseRightDown(\"📷\")", {{{imgdata, area}, imagevResult}},
         "Finds the template and presses the right button on its centre."},
        {"imagev", "mouseRightDownRect", "imagev.mouseRightDownRect(\"📷\",[rect])", {{{imgdata, area}, imagevResult}},
         "The same as `imagev.mouseRightDown`."},
        {"imagev", "mouseRightUp", "imagev.mouseRightUp(\"📷\")", {{{imgdata, area}, imagevResult}},
         "Finds the template and releases the right button on its centre."},
        {"imagev", "mouseRightUpRect", "imagev.mouseRightUpRect(\"📷\",[rect])", {{{imgdata, area}, imagevResult}},
         "The same as `imagev.mouseRightUp`."},
        {"imagev", "findImage", "imagev.findImage(\"📷\")", {{{imgdata, area}, kPoint}},
         "Where the template appears on the screen: its centre."},

        // ocr
        {"ocr", "imgText", "ocr.imgText(\"📷\")",
         {{{req("picture", "text (data URL or Base64)")}, kText}, {{img}, kText}},
         "The text recognised in the picture; \"\" when nothing is recognised."},
        {"ocr", "imgTextPath", "ocr.imgTextPath()", {{{path}, kText}},
         "The text recognised in a picture file. The path is required."},

        // sqlite
        {"sqlite", "close", "sqlite.close()", {{{}, kBool}}, "Closes the database."},
        {"sqlite", "creat", "sqlite.creat(path)", {{{path}, kBool}},
         "Opens (creating it when missing) the database file; later calls work on it."},
        {"sqlite", "createTable", "sqlite.createTable(tableName, columns)",
         {{{req("tableName", "text"), req("columns", "array of texts")}, kBool}},
         "Creates a table; each column is a definition such as \"name TEXT\"."},
        {"sqlite", "dropTable", "sqlite.dropTable(tableName)", {{{req("tableName", "text")}, kBool}}, "Deletes a table."},
        {"sqlite", "execSQL", "sqlite.execSQL(sql)", {{{req("sql", "text")}, kBool}}, "Runs one SQL statement."},

        // utils
        {"utils", "createQRCode", "utils.createQRCode(content,width,[logo])",
         {{{req("text", "text"), req("scale", "number"), opt("logo", "image", "none")}, kHandle},
          {{req("text", "text"), req("scale", "number"), req("saveImagePath", "text"),
            opt("logoImagePath", "text", "\"\"")}, kHandle}},
         "A QR code of the text, each module scale pixels wide, with an optional logo in its middle; "
         "the path form also saves it as a picture file. Returns the shared handle."},
        {"utils", "decodeAes", "utils.decodeAes(eData, password)", {{{src, key}, kText}}, "Deciphers AES text made by `utils.encodeAes`."},
        {"utils", "decodeBase64", "utils.decodeBase64(eData)", {{{req("input", "text")}, kText}}, "Decodes Base64 text."},
        {"utils", "decodeDes", "utils.decodeDes(eData, password)", {{{src, key}, kText}}, "Deciphers DES text made by `utils.encodeDes`."},
        {"utils", "decodeQRCode", "utils.decodeQRCode(img)",
         {{{img}, kText}, {{req("imageFile", "text")}, kText}},
         "The text of a QR code (or Code 128 bar code) in a picture handle or a picture file."},
        {"utils", "decodeRc4", "utils.decodeRc4(eData, password)", {{{src, key}, kText}}, "Deciphers RC4 text made by `utils.encodeRc4`."},
        {"utils", "encodeAes", "utils.encodeAes(data, password)", {{{src, key}, kText}}, "Enciphers text with AES."},
        {"utils", "encodeBase64", "utils.encodeBase64(data)", {{{req("input", "text")}, kText}}, "The Base64 of the text's UTF-8 bytes."},
        {"utils", "encodeDes", "utils.encodeDes(data, password)", {{{src, key}, kText}}, "Enciphers text with DES."},
        {"utils", "encodeRc4", "utils.encodeRc4(data, password)", {{{src, key}, kText}}, "Enciphers text with RC4."},
        {"utils", "md5", "utils.md5(str)", {{{req("strFileOrString", "text")}, kText}},
         "The MD5 digest in hexadecimal: of the file when the text names one, else of the text."},
        {"utils", "randomInt", "utils.randomInt(min, max)", {{{req("min", "number"), req("max", "number")}, kNumber}},
         "A random whole number from min to max."},
        {"utils", "unZip", "utils.unZip(zipFilePath, dest, [password])",
         {{{req("zipFilePath", "text"), req("dest", "text"), password}, "the number 1"}},
         "Extracts a zip archive into the folder dest."},
        {"utils", "unZipDir", "utils.unZipDir(Dir, dest, [password])",
         {{{req("dir", "text"), req("dest", "text"), password}, "the number 1"}},
         "Extracts every zip archive of a folder into dest."},
        {"utils", "zipDir", "utils.zipDir(dir, dest, [password])",
         {{{req("dir", "text"), req("dest", "text"), password}, "number: 1 on success, 0 on failure"}},
         "Packs a folder into the zip archive dest."},
        {"utils", "zipFile", "utils.zipFile(filePath, dest, [password])",
         {{{req("filePath", "text"), req("dest", "text"), password}, "number: 1 on success, 0 on failure"}},
         "Packs one file into the zip archive dest."},
        {"utils", "hexToByte", nullptr, {{{req("hex", "text")}, kText}}, "The text whose UTF-8 bytes the hexadecimal digits spell."},
        {"utils", "byteToHex", nullptr, {{{req("bytes", "array of numbers, or text"), req("count", "number")}, kText}},
         "The first count bytes in hexadecimal digits."},
        {"utils", "versionInfo", nullptr, {{{}, kText}}, "The versions of the libraries behind `utils`."},

        // log
        {"log", "info", nullptr, {{{req("text", "text")}, kNothing}}, "Writes one line to the log."},
    };
}
// clang-format on

}  // namespace

const std::vector<ApiObject>& apiObjects()
{
    static const std::vector<ApiObject> objects = makeObjects();
    return objects;
}

const std::vector<ApiMethod>& apiMethods()
{
    static const std::vector<ApiMethod> methods = makeMethods();
    return methods;
}

const char* commonExamplesTitle()
{
    return "常用函数（双击下列函数，点击启动按钮）";
}

const std::vector<const char*>& commonExamples()
{
#ifdef Q_OS_WIN
#define VANTOR_EXAMPLE_APP "c:/windows/notepad.exe"
#define VANTOR_EXAMPLE_PICTURE "c:/a.png"
#else
    // A text file every Linux desktop has, which the default handler opens in
    // a text editor; pictures go to the temporary folder.
#define VANTOR_EXAMPLE_APP "/etc/os-release"
#define VANTOR_EXAMPLE_PICTURE "/tmp/a.png"
#endif
    static const std::vector<const char*> examples = {
        "app.launchApp(\"" VANTOR_EXAMPLE_APP "\")",
        "cs.home()",
        "cs.mouseLeftClick(30, 30)",
        "cs.mouseLeftDoubleClick(30, 30)",
        "cs.keyPress(91)",
        "imagev.mouseLeftClick(\"📷\")",
        "imagev.mouseLeftDoubleClick(\"📷\")",
        "imagev.findImage(\"📷\")",
        "ocr.imgText(\"📷\")",
        "image.findColor(img,\"#ff00ff\")",
        "image.findImage(imgBig,imgSmall)",
        "image.read(\"" VANTOR_EXAMPLE_PICTURE "\")",
        "image.save(img,\"" VANTOR_EXAMPLE_PICTURE "\", \"png\", 100)",
        "msg(\"hello\")",
        "sleep(1000)",
        "screenshots(\"" VANTOR_EXAMPLE_PICTURE "\")",
        "toast(\"hello\")",
    };
#undef VANTOR_EXAMPLE_APP
#undef VANTOR_EXAMPLE_PICTURE
    return examples;
}

}  // namespace vantor
