#pragma once

#include "printing/windows/preview_form.h"

#include <QApplication>
#include <QTimer>
#include <functional>

// Calls act with the preview window once it is open and (unless whileRunning) its run has
// made every page; the window's own event loop runs the check, as a user's look would.
inline void WhenPreviewShown(QObject* owner, std::function<void(PreviewForm&)> act,
                             bool whileRunning = false) {
    auto* timer = new QTimer(owner);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, owner, [timer, act, whileRunning] {
        auto* preview = qobject_cast<PreviewForm*>(QApplication::activeModalWidget());
        if (!preview || (preview->RunGoing() && !whileRunning))
            return;
        timer->stop();
        timer->deleteLater();
        act(*preview);
    });
    timer->start();
}

template <typename T> T* PreviewChild(PreviewForm& preview, const char* name) {
    return preview.findChild<T*>(name);
}
