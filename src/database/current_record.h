#pragma once

struct ListRecord;
class ListCore;

// Every column of the list store's current record (empty values without one).
ListRecord CurrentListRecord(const ListCore& list);
