#include "filters/column_headings.h"

#include "filters/transfer_items.h"

#include <QHash>
#include <algorithm>

namespace {

// What a heading names before the address lines are numbered: a company comes first in
// the address, then the street lines in order.
constexpr int kCompany = 100;
constexpr int kStreet1 = 101;
constexpr int kStreet2 = 102;
constexpr int kStreet3 = 103;

QString Folded(const QString& heading) {
    QString folded;
    folded.reserve(heading.size());
    for (QChar c : heading)
        if (c.isLetterOrNumber())
            folded += c.toCaseFolded();
    return folded;
}

const QHash<QString, int>& Names() {
    static const QHash<QString, int> names = [] {
        using namespace TransferItem;
        QHash<QString, int> map;
        const auto add = [&map](std::initializer_list<const char*> words, int item) {
            for (const char* word : words)
                map.insert(Folded(QString::fromLatin1(word)), item);
        };
        // The program's own captions, with and without blanks.
        for (int code : StandardTransferItems() + ExtraTransferItems())
            if (code != Skip)
                map.insert(Folded(TransferItemCaption(code)), code);
        map[Folded("Address Line 1")] = kStreet1;
        map[Folded("Address Line 2")] = kStreet2;
        map[Folded("Address Line 3")] = kStreet3;
        add({"First Name", "Given Name", "Firstname", "Forename"}, FirstName);
        add({"Last Name", "Surname", "Family Name", "Lastname"}, LastName);
        add({"Full Name", "Name", "Display Name", "Contact Name"}, Name);
        add({"Company", "Organization", "Organisation", "Organization Name", "Company Name",
             "Organization 1 - Name"},
            kCompany);
        add({"Street", "Address", "Address 1", "Address Line 1", "Street Address", "Street 1",
             "Address 1 - Street", "Home Street", "Business Street", "Mailing Street"},
            kStreet1);
        add({"Address 2", "Address Line 2", "Street 2", "Street Address 2", "Home Street 2",
             "Business Street 2"},
            kStreet2);
        add({"Address 3", "Address Line 3", "Street 3", "Home Street 3", "Business Street 3"},
            kStreet3);
        add({"City", "Town", "Address 1 - City", "Home City", "Business City", "Mailing City",
             "Locality"},
            City);
        add({"State", "Province", "Region", "State/Province", "County", "Address 1 - Region",
             "Home State", "Business State", "Mailing State"},
            State);
        add({"ZIP", "Zip Code", "Postal Code", "Postcode", "ZIP/Postal Code",
             "Address 1 - Postal Code", "Home Postal Code", "Business Postal Code", "Mailing Zip"},
            Zip);
        add({"E-mail", "Email", "E-mail Address", "Email Address", "E-mail 1 - Value",
             "Primary Email", "Mail"},
            EMail);
        add({"Phone", "Telephone", "Mobile", "Mobile Phone", "Phone Number", "Home Phone",
             "Business Phone", "Phone 1 - Value", "Primary Phone", "Tel"},
            Phone);
        add({"Notes", "Note", "Comments", "Comment"}, Notes);
        add({"Attention", "Attn", "Attention Line"}, Attention);
        return map;
    }();
    return names;
}

int Named(const QString& heading) {
    return Names().value(Folded(heading), -1);
}

} // namespace

int ItemForHeading(const QString& heading) {
    const int named = Named(heading);
    if (named == kCompany || named == kStreet1)
        return TransferItem::AddressLine1;
    if (named == kStreet2)
        return TransferItem::AddressLine2;
    if (named == kStreet3)
        return TransferItem::AddressLine3;
    return named;
}

HeadingMap MapHeadings(const QStringList& headings) {
    HeadingMap map;
    QList<int> named;
    for (const QString& heading : headings)
        named << Named(heading);
    // The address lines in the order company, street 1, 2, 3, each kind once.
    QList<int> addressColumns;
    for (int kind : {kCompany, kStreet1, kStreet2, kStreet3}) {
        const qsizetype column = named.indexOf(kind);
        if (column >= 0)
            addressColumns << int(column);
    }
    QList<int> taken;
    for (qsizetype column = 0; column < headings.size(); ++column) {
        int item = named.at(column);
        if (item >= kCompany) {
            const qsizetype place = addressColumns.indexOf(int(column));
            item = place >= 0 && place < 3 ? TransferItem::AddressLine1 + int(place) : -1;
        }
        if (item >= 0 && taken.contains(item))
            item = -1;
        if (item < 0) {
            map.fields << TransferItem::Skip;
            map.unmatched << headings.at(column);
            continue;
        }
        taken << item;
        map.fields << item;
    }
    return map;
}

bool LooksLikeHeader(const QStringList& cells) {
    return std::any_of(cells.begin(), cells.end(),
                       [](const QString& cell) { return Named(cell) >= 0; });
}
