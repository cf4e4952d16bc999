// The query builder on any filter record: whatever the bounds hold, the statement it
// builds is one valid statement that the engine runs against a list.

#include "database/connection.h"
#include "database/engine_error.h"
#include "database/filter_record.h"
#include "database/schema.h"
#include "database/statement.h"
#include "filters/build_filter_query.h"
#include "fuzz_check.h"

#include <QDate>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>

namespace {

QString Take(FuzzedDataProvider& input, size_t most = 40) {
    const std::string bytes = input.ConsumeRandomLengthString(most);
    return QString::fromUtf8(bytes.data(), int(bytes.size()));
}

QDate TakeDate(FuzzedDataProvider& input) {
    if (input.ConsumeBool())
        return QDate();
    return QDate(input.ConsumeIntegralInRange(1, 9999), input.ConsumeIntegralInRange(1, 12),
                 input.ConsumeIntegralInRange(1, 31));
}

// A list with the full schema and a few rows, made once.
Connection& List() {
    static std::unique_ptr<Connection> list = [] {
        auto db = Connection::Open(QStringLiteral(":memory:"), Connection::Mode::Create);
        CreateSchema(*db);
        db->Execute("INSERT INTO List (Name, City, State, Zip, EMail, Phone, Code, CarRt, "
                    "LastEdit, Switches) VALUES "
                    "('Smith; Ann', 'Paris', 'TX', '754600000', 'a@b.c', '9035550100', "
                    "'X1', 'C001', '2003-04-05', '1010000000000000'), "
                    "('O''Brien; Pat', 'Austin', 'TX', '787010000', '', '', '', '', "
                    "'1899-12-30', '0000000000000001')");
        return db;
    }();
    return *list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    FilterRecord filter;
    filter.FilterName = Take(input, 20);
    for (QString* bound :
         {&filter.StartName, &filter.EndName, &filter.StartCity, &filter.EndCity,
          &filter.StartState, &filter.EndState, &filter.StartZip, &filter.EndZip,
          &filter.StartEMail, &filter.EndEMail, &filter.StartPhone, &filter.EndPhone,
          &filter.StartCode, &filter.EndCode, &filter.StartCarRt, &filter.EndCarRt})
        *bound = Take(input);
    filter.StartDate = TakeDate(input);
    filter.EndDate = TakeDate(input);
    for (QString* switches :
         {&filter.OrSelect, &filter.AndSelect, &filter.AndReject, &filter.OrReject})
        if (input.ConsumeBool())
            *switches = Take(input, 20);
    filter.Marked = input.ConsumeIntegralInRange(-1, 3);
    filter.Imported = input.ConsumeIntegralInRange(-1, 3);
    filter.Sequence = input.ConsumeIntegralInRange(-1, 10);

    const QString query = BuildFilterQuery(filter);
    try {
        Statement statement = List().Prepare(query);
        FUZZ_CHECK(statement.IsReadOnly());
        for (int rows = 0; statement.Step(); ++rows)
            FUZZ_CHECK(rows < 2);
    } catch (const EngineError& error) {
        std::fprintf(stderr, "refused: %s\n%s\n", qPrintable(error.Text()), qPrintable(query));
        FUZZ_CHECK(false && "the engine refused the built query");
    }
    return 0;
}
