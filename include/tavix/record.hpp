// The shared image record, for C++ hosts that read or write its fields
// (the studio keeps its script images in records of this type).
// The field order and types are part of the interface between the engine and its hosts.
#ifndef TAVIX_RECORD_HPP
#define TAVIX_RECORD_HPP

#include <QImage>
#include <QRect>
#include <cstdlib>
#include <vector>

#include "common.h"

struct TX_api {
    QImage image;          // the working image: input and result of image operations
    QImage logoImage;      // logo drawn into QR codes
    QImage secondImage;    // second input of concat
    QImage templateImage;  // template of findImage
    QRect rect;
    int x = 0;
    int y = 0;
    std::vector<void*> buffers;  // heap blocks (calloc) handed out by the engine

    TX_api() { reset(); }
    ~TX_api() { freeBuffers(); }
    TX_api(const TX_api&) = delete;
    TX_api& operator=(const TX_api&) = delete;

    // Forgets the handed-out blocks without freeing them: callers may still hold them.
    void reset()
    {
        image = QImage();
        logoImage = QImage();
        secondImage = QImage();
        templateImage = QImage();
        rect = QRect(QPoint(0, 0), QPoint(-1, -1));
        x = 0;
        y = 0;
        buffers.clear();
    }

    void freeBuffers()
    {
        for (void* block : buffers)
            std::free(block);
        buffers.clear();
    }
};

#endif
