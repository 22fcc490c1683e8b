// The working image: the shared record's `image` field.
#pragma once

#include <QImage>

namespace tavix::image {

QImage& workingImage();

// Whether there is a working image to work on; logs a line when there is none.
bool haveWorkingImage();

// A text argument an operation cannot do without; logs a line when it is null.
bool haveText(const char* text, const char* what);

}  // namespace tavix::image
