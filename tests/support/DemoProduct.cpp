#include "DemoProduct.h"

#include "PgCluster.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarvel::test {

namespace {

// Everything of the owner's schema except the tables the cluster itself made.
const char* const kDropDemoObjects = R"(
do $$
declare
  r record;
begin
  drop schema if exists pck_report cascade;
  for r in select tablename from pg_tables
            where schemaname = current_user
              and tablename not in ('dict_setting', 'dict_messages') loop
    execute format('drop table if exists %I cascade', r.tablename);
  end loop;
  for r in select p.oid::regprocedure as routine from pg_proc p
            where p.pronamespace = current_user::regnamespace loop
    execute format('drop routine if exists %s cascade', r.routine);
  end loop;
  for r in select sequencename from pg_sequences where schemaname = current_user loop
    execute format('drop sequence if exists %I cascade', r.sequencename);
  end loop;
  delete from dict_setting;
end $$;
)";

const char* const kDemoSchemaFiles[] = {"10_product.sql", "20_report_store.sql",
                                        "30_pck_report.sql"};

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("Cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TStringTable DemoServiceScripts() {
    std::vector<std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(DemoSourceDir() / "service"))
        files.push_back(item.path());
    std::sort(files.begin(), files.end());
    TStringTable table;
    std::uint32_t id = 1;
    for (const auto& file : files)
        table[++id] = file.filename().string() + "##" + ReadText(file);
    table[1] = std::to_string(id);
    return table;
}

std::filesystem::path DemoSourceDir() {
    return TARVEL_DEMO_DIR;
}
std::filesystem::path DemoUpdateDir() {
    return TARVEL_DEMO_UPDATE_DIR;
}
std::filesystem::path DemoParamsFile() {
    return TARVEL_DEMO_PARAMS;
}

void LoadDemoSchema(const TPgCluster& cluster) {
    cluster.ExecAsOwner(kDropDemoObjects);
    for (const char* file : kDemoSchemaFiles)
        cluster.ExecAsOwner(ReadText(DemoSourceDir() / "sql" / file));
    cluster.ExecAsAdmin("analyze");
}

} // namespace tarvel::test
