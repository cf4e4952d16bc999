#include "app/windows/query_stop.h"

#include "database/set_query_guard.h"

#include <QApplication>
#include <QPointer>
#include <QProgressDialog>

namespace {
// How long a query runs before the user is offered to stop it.
constexpr double kOfferStopAfterSeconds = 1.0;
} // namespace

void InstallQueryStop() {
    SetQueryStopCheck([dialog = QPointer<QProgressDialog>()](double seconds) mutable {
        if (seconds < 0) {
            delete dialog;
            return false;
        }
        if (seconds < kOfferStopAfterSeconds)
            return false;
        if (!dialog) {
            dialog =
                new QProgressDialog(QStringLiteral("The filter's query is running..."),
                                    QStringLiteral("&Stop"), 0, 0, QApplication::activeWindow());
            dialog->setWindowTitle(QStringLiteral("Lettrino"));
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->setMinimumDuration(0);
            dialog->show();
        }
        QApplication::processEvents();
        return dialog->wasCanceled();
    });
}
