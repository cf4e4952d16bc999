#pragma once

#include <QDate>
#include <QString>

// One saved filter, as the filter store adds and rewrites it: value ranges on nine record
// fields (an empty bound is no bound; a null date is no bound), the four switch strings,
// the two flag conditions, the sort order and the query text built from the rest.
struct FilterRecord {
    QString FilterName;
    QString StartName, EndName;
    QString StartCity, EndCity;
    QString StartState, EndState;
    QString StartZip, EndZip;
    QString StartEMail, EndEMail;
    QString StartPhone, EndPhone;
    QString StartCode, EndCode;
    QString StartCarRt, EndCarRt;
    QDate StartDate, EndDate;
    QString OrSelect = QStringLiteral("0000000000000000");
    QString AndSelect = QStringLiteral("0000000000000000");
    QString AndReject = QStringLiteral("0000000000000000");
    QString OrReject = QStringLiteral("0000000000000000");
    int Marked = 0;
    int Imported = 0;
    // Sort order 0-8: Name, City, State, Zip, EMail, Phone, Code, CarRt, LastEdit.
    int Sequence = 0;
    QString Query;
};
