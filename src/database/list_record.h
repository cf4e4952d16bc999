#pragma once

#include <QDate>
#include <QString>

// The values of one address record handed to the list store to add or rewrite. The store
// assigns the ID; the delivery-point override is written only through its own property.
// A null LastEdit is "no date".
struct ListRecord {
    QString Name;
    QString Address;
    QString City;
    QString State;
    QString Zip;
    QString EMail;
    QString Phone;
    QString Attention;
    QString Code;
    QString CarRt;
    QDate LastEdit;
    QString Switches;
    QString Notes;
    int Marked = 0;
    int Imported = 0;
};
