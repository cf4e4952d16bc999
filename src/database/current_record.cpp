#include "database/current_record.h"

#include "database/list_core.h"
#include "database/list_record.h"

#include <QDate>

ListRecord CurrentListRecord(const ListCore& list) {
    ListRecord r;
    r.Name = list.Name();
    r.Address = list.Address();
    r.City = list.City();
    r.State = list.State();
    r.Zip = list.Zip();
    r.EMail = list.EMail();
    r.Phone = list.Phone();
    r.Attention = list.Attention();
    r.Code = list.Code();
    r.CarRt = list.CarRt();
    r.LastEdit = list.LastEdit();
    r.Switches = list.Switches();
    r.Notes = list.Notes();
    r.Marked = list.Marked();
    r.Imported = list.Imported();
    return r;
}
