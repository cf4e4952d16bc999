#include "printing/page_device.h"

#include <QPagedPaintDevice>
#include <QPainter>

PageDevice::~PageDevice() = default;

void PageDevice::StartPage(QPainter& painter) {
    if (auto* paged = dynamic_cast<QPagedPaintDevice*>(painter.device()))
        paged->newPage();
}
