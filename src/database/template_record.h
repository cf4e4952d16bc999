#pragma once

#include <QString>

// One record template: the values a new address record starts from.
struct TemplateRecord {
    QString TemplateName;
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
    QString Switches = QStringLiteral("0000000000000000");
    QString Notes;
    int Marked = 0;
};
