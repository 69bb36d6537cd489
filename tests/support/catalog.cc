#include "support/catalog.h"

#include "db/driver/syntax.h"

std::vector<std::vector<std::string>> IndexColumns(TestDatabase* db, int syntax,
                                                   const std::string& table,
                                                   const std::string& index) {
  switch (syntax) {
    case SYNTAX_SQLITE:
      return db->Rows(
          "SELECT ii.name FROM sqlite_master m, pragma_index_info(m.name) ii "
          "WHERE m.type='index' AND m.tbl_name='" +
          table + "' AND m.name='" + index + "' ORDER BY ii.seqno");
    case SYNTAX_POSTGRESQL:
      return db->Rows(
          "SELECT a.attname FROM pg_index i JOIN pg_class c ON "
          "c.oid=i.indexrelid JOIN pg_class t ON t.oid=i.indrelid JOIN "
          "pg_attribute a ON a.attrelid=i.indrelid AND "
          "a.attnum=ANY(i.indkey) WHERE c.relname='" +
          index + "' AND t.relname='" + table +
          "' ORDER BY array_position(i.indkey, a.attnum)");
    default:
      return db->Rows(
          "SELECT column_name FROM information_schema.statistics WHERE "
          "table_schema=DATABASE() AND table_name='" +
          table + "' AND index_name='" + index + "' ORDER BY seq_in_index");
  }
}
