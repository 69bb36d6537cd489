// A read of a core table that ends with an error after thousands of rows
// fails that table's export: none of its rows stay in the file, the tables
// before it are complete, the ones after it empty. The error is made by the
// database itself at a chosen row: config_clob becomes a view whose value
// for row 2500 cannot be computed.

#include <gtest/gtest.h>

#include <string>

#include "db/driver/syntax.h"
#include "support/backend_test.h"
#include "transfer/transfer_data.h"

namespace {

const int kRows = 3000;
const int kFailingRow = 2500;

class ExportReadErrorTest : public BackendTest {
 protected:
  // Replaces config_clob by a view over kRows rows of 1000 bytes whose row
  // kFailingRow raises an error when it is read.
  void MakeFailingView() {
    db_->Exec("DROP TABLE config_clob");
    db_->Exec(
        "CREATE TABLE clob_rows (id integer not null, var_name varchar(63) "
        "not null, var_value text not null)");
    for (int first = 1; first <= kRows; first += 500) {
      std::string insert =
          "INSERT INTO clob_rows (id,var_name,var_value) VALUES ";
      for (int id = first; id < first + 500; id++) {
        insert += (id > first ? "," : "") + std::string("(") +
                  std::to_string(id) + ",'v" + std::to_string(id) + "','" +
                  std::string(1000, 'x') + "')";
      }
      db_->Exec(insert);
    }
    std::string failing = std::to_string(kFailingRow);
    switch (syntax()) {
      case SYNTAX_SQLITE:
        // abs() of the smallest 64-bit integer overflows.
        db_->Exec("CREATE VIEW config_clob AS SELECT var_name, CASE WHEN id=" +
                  failing + " THEN abs(-9223372036854775807 - (id=" + failing +
                  ")) ELSE var_value END AS var_value FROM clob_rows");
        break;
      case SYNTAX_POSTGRESQL:
        db_->Exec(
            "CREATE FUNCTION refuse_row(i integer) RETURNS integer AS $$ "
            "BEGIN IF i=" +
            failing +
            " THEN RAISE EXCEPTION 'row % unreadable', i; END IF; RETURN i; "
            "END $$ LANGUAGE plpgsql");
        break;
      default:
        db_->Exec(
            "CREATE FUNCTION refuse_row(i integer) RETURNS integer "
            "DETERMINISTIC BEGIN IF i=" +
            failing + " THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT='row " +
            failing + " unreadable'; END IF; RETURN i; END");
        break;
    }
    if (syntax() != SYNTAX_SQLITE) {
      db_->Exec(
          "CREATE VIEW config_clob AS SELECT var_name, CASE WHEN "
          "refuse_row(id)=id THEN var_value END AS var_value FROM clob_rows");
    }
  }
};

TEST_P(ExportReadErrorTest, AnErrorInTheMiddleOfATableFailsItsExport) {
  InitShipped(config_path_, syntax());
  MakeFailingView();
  if (HasFatalFailure()) return;
  std::string file = dir_ + "/export.db";
  RunResult r = Run({"export", file});
  const std::string backend = GetParam().name;
  const char* reason =
      backend == "sqlite"        ? "integer overflow"
      : backend == "odbc_sqlite" ? "[HY000] [SQLite]integer overflow (1)"
      : backend == "pgsql"
          ? "ERROR:  row 2500 unreadable\nCONTEXT:  PL/pgSQL function "
            "refuse_row(integer) line 1 at RAISE"
      : backend == "odbc_pgsql"
          ? "[P0001] ERROR: row 2500 unreadable;\nError while executing the "
            "query"
          : "row 2500 unreadable";
  std::string end =
      std::string("\nExporting table config_clob\nSQL query failed (") +
      reason + "):\nSELECT * FROM config_clob\nDatabase export failed.\n";
  ASSERT_GE(r.out.size(), end.size());
  EXPECT_EQ(r.out.substr(r.out.size() - end.size()), end);
  EXPECT_EQ(r.out.find("Exporting table users"), std::string::npos) << r.out;
  EXPECT_EQ(FileScalar(file, "SELECT count(*) FROM config"),
            db_->Scalar("SELECT count(*) FROM config"));
  EXPECT_EQ(FileScalar(file, "SELECT count(*) FROM config_clob"), "0");
  EXPECT_EQ(FileScalar(file, "SELECT count(*) FROM users"), "0");
}

INSTANTIATE_BACKEND_SUITE(ExportReadErrorTest);

}  // namespace
