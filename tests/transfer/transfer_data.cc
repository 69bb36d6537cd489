#include "transfer/transfer_data.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "db/driver/syntax.h"
#include "transfer/core_tables.h"

const int kNodeIds[3] = {11, 12, 2147483647};

namespace {

struct Column {
  std::string name;
  std::string type;   // integer, bigint, int64, text, varchar
  size_t length = 0;  // varchar(N)
  bool not_null = false;
};

// The core tables' columns as the schema description gives them.
const std::map<std::string, std::vector<Column>>& SchemaColumns() {
  static const std::map<std::string, std::vector<Column>> tables = [] {
    std::map<std::string, std::vector<Column>> out;
    std::ifstream in(std::string(SCHEMON_SOURCE_DIR) +
                     "/lib/sql/schema/schema.txt");
    std::string line;
    std::vector<Column>* current = nullptr;
    while (std::getline(in, line)) {
      std::istringstream words(line);
      std::string first;
      words >> first;
      if (line.rfind("table ", 0) == 0) {
        std::string name, kind;
        words >> name >> kind;
        current = kind == "core" ? &out[name] : nullptr;
      } else if (line.rfind("  ", 0) == 0 && current != nullptr &&
                 first != "primary" && !first.empty() && first[0] != '#') {
        Column c;
        c.name = first;
        std::string type;
        words >> type;
        if (type.rfind("varchar(", 0) == 0) {
          c.type = "varchar";
          c.length = std::stoul(type.substr(8));
        } else {
          c.type = type;
        }
        c.not_null = line.find(" not null") != std::string::npos;
        current->push_back(c);
      } else if (line.empty() || line[0] != ' ') {
        current = nullptr;
      }
    }
    return out;
  }();
  return tables;
}

// Hard text: every character that a quoting rule, a format or a C string
// could trip over, and multi-byte UTF-8.
const std::string kHard =
    "it's a \"q\" '' \\ \\' \\\\n # #00 %s %d %% \n\r\t \x01\x1f\x7f "
    "caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x99\x82 ;-- end";

// Cuts text to at most n characters, never inside a UTF-8 sequence.
std::string CutCharacters(const std::string& text, size_t n) {
  size_t chars = 0, i = 0;
  while (i < text.size() && chars < n) {
    i++;
    while (i < text.size() &&
           (static_cast<unsigned char>(text[i]) & 0xc0) == 0x80)
      i++;
    chars++;
  }
  return text.substr(0, i);
}

std::string LongText(size_t size) {
  std::string text;
  while (text.size() < size) text += kHard;
  // Cut at a character boundary at or below size.
  size_t n = size;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xc0) == 0x80) n--;
  text.resize(n);
  return text;
}

// The columns of table that the database has, in the schema's order.
std::vector<Column> PresentColumns(TestDatabase* db, const std::string& table) {
  std::string error;
  std::unique_ptr<driver::Cursor> cursor = db->conn()->SelectUnbuffered(
      "SELECT * FROM " + table + " WHERE 1=0", &error);
  std::vector<std::string> names;
  if (cursor != nullptr) {
    for (int i = 0; i < cursor->ColumnCount(); i++) {
      std::string name = cursor->ColumnName(i);
      std::transform(name.begin(), name.end(), name.begin(), ::tolower);
      names.push_back(name);
    }
    while (cursor->Fetch()) {
    }
  }
  std::vector<Column> out;
  auto it = SchemaColumns().find(table);
  if (it == SchemaColumns().end()) return out;
  for (const Column& c : it->second) {
    if (std::find(names.begin(), names.end(), c.name) != names.end()) {
      out.push_back(c);
    }
  }
  return out;
}

std::string ColumnList(const std::vector<std::string>& names) {
  std::string list;
  for (const auto& n : names) list += (list.empty() ? "" : ",") + n;
  return list;
}

// The value of a column in row r (0, 1 or 2) of the data set; nullopt is
// NULL.
driver::Value HardValue(const std::string& table, const Column& c, int r,
                        size_t long_text_size) {
  if (table == "nodes" && c.name == "id") return std::to_string(kNodeIds[r]);
  if (c.type == "integer") {
    static const char* const values[] = {"2147483647", "-2147483648", "0"};
    if (r == 2 && !c.not_null) return std::nullopt;
    return std::string(values[r]);
  }
  if (c.type == "bigint" || c.type == "int64") {
    static const char* const values[] = {"9223372036854775807",
                                         "-9223372036854775808", "1"};
    if (r == 2 && !c.not_null) return std::nullopt;
    return std::string(values[r]);
  }
  // Texts: the hard text, the empty text, then NULL (or a plain key).
  if (r == 1) return std::string();
  if (r == 2) {
    if (!c.not_null) return std::nullopt;
    return std::string("k2");
  }
  if (c.type == "varchar") return CutCharacters(kHard, c.length);
  bool long_one = (table == "config_clob" && c.name == "var_value") ||
                  (table == "script_library" && c.name == "script_code");
  return long_one ? LongText(long_text_size) : kHard + kHard;
}

std::string Literal(TestDatabase* db, const driver::Value& v) {
  return v.has_value() ? db->conn()->Quote(*v) : "NULL";
}

std::string CreateFormatOf(TestDatabase* db, const char* name) {
  return db->Scalar(std::string("SELECT var_value FROM metadata WHERE "
                                "var_name='") +
                    name + "'");
}

std::string Format(const std::string& format, int id) {
  char buffer[1024];
  snprintf(buffer, sizeof buffer, format.c_str(), id, id);
  return buffer;
}

void SortRows(std::vector<std::vector<std::string>>* rows) {
  std::sort(rows->begin(), rows->end());
}

}  // namespace

void FillRows(TestDatabase* db, size_t long_text_size);

std::string ShippedScriptFor(const char* kind, int syntax) {
  const char* dialect = syntax == SYNTAX_POSTGRESQL ? "pgsql"
                        : syntax == SYNTAX_MYSQL    ? "mysql"
                                                    : "sqlite";
  return std::string(SCHEMON_SOURCE_DIR) + "/lib/sql/" + kind + "_" + dialect +
         ".sql";
}

RunResult RunWith(const std::string& config,
                  const std::vector<std::string>& args,
                  const std::string& input) {
  std::vector<std::string> full = {"-c", config};
  full.insert(full.end(), args.begin(), args.end());
  RunResult result = RunSchemon(full, input);
  EXPECT_FALSE(result.timed_out) << "schemon hung";
  return result;
}

void InitShipped(const std::string& config, int syntax) {
  RunResult r = RunWith(config, {"init", ShippedScriptFor("dbinit", syntax)});
  ASSERT_EQ(r.out, std::string(Banner()) +
                       "Initializing database...\nDatabase initialized "
                       "successfully\n");
}

void FillHardValues(TestDatabase* db, size_t long_text_size) {
  std::string error;
  ASSERT_TRUE(db->conn()->Begin(&error)) << error;
  FillRows(db, long_text_size);
  ASSERT_TRUE(db->conn()->Commit(&error)) << error;
}

void FillRows(TestDatabase* db, size_t long_text_size) {
  for (int i = 0; g_apszCoreTables[i] != nullptr; i++) {
    std::string table = g_apszCoreTables[i];
    db->Exec("DELETE FROM " + table);
    std::vector<Column> columns = PresentColumns(db, table);
    ASSERT_FALSE(columns.empty()) << table;
    std::vector<std::string> names;
    for (const auto& c : columns) names.push_back(c.name);
    for (int r = 0; r < 3; r++) {
      std::string sql =
          "INSERT INTO " + table + " (" + ColumnList(names) + ") VALUES (";
      for (size_t k = 0; k < columns.size(); k++) {
        if (k > 0) sql += ",";
        sql += Literal(db, HardValue(table, columns[k], r, long_text_size));
      }
      db->Exec(sql + ")");
    }
  }
  std::string create = CreateFormatOf(db, "IDataTableCreationCommand");
  ASSERT_NE(create, "<none>");
  for (int id : kNodeIds) {
    std::string table = "idata_" + std::to_string(id);
    db->TryExec("DROP TABLE " + table);
    db->Exec(Format(create, id));
    db->Exec("INSERT INTO " + table +
             " (item_id,idata_timestamp,idata_value) VALUES "
             "(2147483647,-2147483648," +
             db->conn()->Quote(CutCharacters(kHard, 255)) + ")");
    db->Exec("INSERT INTO " + table +
             " (item_id,idata_timestamp,idata_value) VALUES (0,0,'')");
    db->Exec("INSERT INTO " + table +
             " (item_id,idata_timestamp,idata_value) VALUES (-1," +
             std::to_string(id) + ",NULL)");
  }
}

void FillManyRows(TestDatabase* db, int rows, int long_every,
                  size_t long_size) {
  const int kPerStatement = 50;
  std::string table = "idata_" + std::to_string(kNodeIds[0]);
  for (int first = 0; first < rows; first += kPerStatement) {
    std::string texts = "INSERT INTO config_clob (var_name,var_value) VALUES ";
    std::string data = "INSERT INTO " + table +
                       " (item_id,idata_timestamp,idata_value) VALUES ";
    for (int i = first; i < first + kPerStatement && i < rows; i++) {
      std::string value =
          i % long_every == 0
              ? std::string(long_size, static_cast<char>('a' + i % 26))
              : (i % 3 == 0 ? "" : "v'" + std::to_string(i));
      std::string sep = i > first ? "," : "";
      texts += sep + "('many" + std::to_string(i) + "'," +
               db->conn()->Quote(value) + ")";
      data += sep + "(" + std::to_string(i) + "," + std::to_string(100000 + i) +
              "," +
              (i % 5 == 0 ? "NULL" : db->conn()->Quote(value.substr(0, 200))) +
              ")";
    }
    db->Exec(texts);
    db->Exec(data);
  }
}

Snapshot TakeSnapshot(TestDatabase* db) {
  return TakeSnapshot(
      db, std::vector<int>(std::begin(kNodeIds), std::end(kNodeIds)));
}

Snapshot TakeSnapshot(TestDatabase* db, const std::vector<int>& nodes) {
  Snapshot snapshot;
  for (int i = 0; g_apszCoreTables[i] != nullptr; i++) {
    std::string table = g_apszCoreTables[i];
    std::vector<std::string> names;
    for (const auto& c : PresentColumns(db, table)) names.push_back(c.name);
    auto rows = db->Rows("SELECT " + ColumnList(names) + " FROM " + table);
    SortRows(&rows);
    snapshot[table] = rows;
  }
  for (int id : nodes) {
    std::string table = "idata_" + std::to_string(id);
    auto rows =
        db->Rows("SELECT item_id,idata_timestamp,idata_value FROM " + table);
    SortRows(&rows);
    snapshot[table] = rows;
  }
  return snapshot;
}

namespace {

// An export file seen as a test database.
class FileDatabase : public TestDatabase {
 public:
  explicit FileDatabase(const std::string& path) {
    driver::ConnectParams params;
    params.name = path;
    std::string error;
    conn_ = driver::FindBackend("sqlite")->Connect(params, &error);
    if (conn_ == nullptr) ADD_FAILURE() << error;
  }
  std::string ConfigText() const override { return ""; }
};

}  // namespace

Snapshot TakeFileSnapshot(const std::string& path) {
  FileDatabase file(path);
  if (file.conn() == nullptr) return Snapshot();
  return TakeSnapshot(&file);
}

Snapshot TakeFileSnapshot(const std::string& path,
                          const std::vector<int>& nodes) {
  FileDatabase file(path);
  if (file.conn() == nullptr) return Snapshot();
  return TakeSnapshot(&file, nodes);
}

void ExecOnFile(const std::string& path, const std::string& sql) {
  FileDatabase file(path);
  if (file.conn() != nullptr) file.Exec(sql);
}

std::string FileScalar(const std::string& path, const std::string& sql) {
  FileDatabase file(path);
  return file.conn() != nullptr ? file.Scalar(sql) : "<no file>";
}

std::string FirstDifference(const Snapshot& expected, const Snapshot& actual) {
  for (const auto& [table, rows] : expected) {
    auto it = actual.find(table);
    if (it == actual.end()) return table + ": missing";
    if (it->second.size() != rows.size()) {
      return table + ": " + std::to_string(rows.size()) + " rows expected, " +
             std::to_string(it->second.size()) + " found";
    }
    for (size_t r = 0; r < rows.size(); r++) {
      for (size_t c = 0; c < rows[r].size(); c++) {
        if (c >= it->second[r].size() || rows[r][c] != it->second[r][c]) {
          std::string got =
              c < it->second[r].size() ? it->second[r][c] : "<absent>";
          return table + " row " + std::to_string(r) + " column " +
                 std::to_string(c) + ": expected [" + rows[r][c].substr(0, 80) +
                 "] (" + std::to_string(rows[r][c].size()) + " bytes), got [" +
                 got.substr(0, 80) + "] (" + std::to_string(got.size()) +
                 " bytes)";
        }
      }
    }
  }
  if (actual.size() != expected.size()) return "table count differs";
  return "";
}
