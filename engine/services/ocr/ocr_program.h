// The external OCR program: where it lies, how it is called, how long it may run.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavix::ocr {

// The folder of the running program ("/" separators, no trailing one), in
// whose "ocr" sub-folder the OCR program lies.
QString applicationFolder();
QString programPath(const QString& appFolder);
// The image, the output base, "-l" and the language, in this order. The output
// base lies in a folder of the call's own: two recognitions at once must not
// read each other's result, and the program's folder may not be writable.
QStringList programArguments(const QString& imagePath, const QString& workFolder);
// The text file the program writes for the output base in `workFolder`.
QString resultFilePath(const QString& workFolder);

// Runs the program and waits for it; false when it did not start or was still
// running at the limit (it is then killed and waited for).
bool runProgram(const QString& program, const QStringList& arguments);

// The result file's text: CR bytes dropped (text mode), up to the first zero
// byte, decoded as UTF-8. Nothing when the file cannot be read.
std::optional<QString> readResultFile(const QString& path);

// Test hooks: another application folder (empty: the real one) and another
// time limit (0: the usual 30000 ms).
void setApplicationFolderForTesting(const QString& folder);
void setTimeLimitForTesting(int milliseconds);

}  // namespace tavix::ocr
