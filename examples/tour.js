// A tour of the Tavix script API, runnable without a window:
//   vantor-run examples/tour.js
// It makes a picture, finds a colour and a template in it, writes and reads a
// file, makes and reads a QR code, zips and unzips, and logs what it found.
// Everything it writes goes to the folder "tavix-tour" in the current directory.

var out = "tavix-tour";
file.mkdirs(out);

// A PNG picture in Base64: 64 x 48, white, with a red square at (40, 8) and
// a blue and yellow checker board at (8, 20).
var picture = image.fromBase64("iVBORw0KGgoAAAANSUhEUgAAAEAAAAAwCAIAAAAuKetIAAAAa0lEQVR42u3XoRHAIAwFUIaoZod6ZkczRkfoBtRxmPbqOODlvorimSSEOnkFAAAAAIApAVc6PwIAAAAAAADglBgLiCm33OVoeesDAKwG+PPovg8AsBrAFAKwB0whgL0BfmQAAAAAAAAAGwAez12qMErqOzQAAAAASUVORK5CYII=");
picture = image.copy(picture);  // keep it: the engine's own record changes with every call
log.info("picture: " + (picture ? "made" : "failed"));
image.save(picture, out + "/picture.png", "PNG", -1);

var red = image.findColor(picture, "#e03c31");
log.info("red square at: " + (red ? red.x + "," + red.y : "not found"));

var board = image.clip(image.copy(picture), 8, 20, 16, 16);
var match = image.findImage(picture, board);
log.info("checker board at: " + (match ? match.x + "," + match.y : "not found"));

var notes = out + "/notes.txt";
file.write(notes, "found red at " + (red ? red.x + "," + red.y : "-") + "\nsecond line\n");
log.info("file says: " + file.readLineByNum(notes, 1) + " (" + file.getFileLiens(notes) + " lines)");

var qr = out + "/qr.png";
utils.createQRCode("Hello from Tavix", 200, qr);
log.info("QR code reads: " + utils.decodeQRCode(qr));

var archive = out + "/tour.zip";
var zipped = utils.zipFile(qr, archive, "secret");
utils.unZip(archive, out + "/qr-unzipped.png", "secret");  // the archive's first entry, to that file
log.info("zip: " + (zipped ? "written" : "failed") + ", unzipped QR code reads: " +
         utils.decodeQRCode(out + "/qr-unzipped.png"));
