#include "db/SqlText.h"

#include "db/postgres/PgErrors.h"
#include "db/postgres/PgScriptSplitter.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(SqlTextTest, FindsVariablesOutsideQuotesCommentsAndCasts) {
    struct TCase {
        std::string Sql;
        std::vector<std::string> Names;
    };
    const std::vector<TCase> cases = {
        {"select :a, :B, :a from t", {"A", "B"}},
        {"select ':a', \":b\", e'\\':c', q'[:d]' from t where x = :e", {"E"}},
        {"select x::int, y := 1, arr[1:2] from t -- :a\n/* :b /* :c */ :d */ where :e", {"E"}},
        {"do $$ :a $$; select $tag$ :b $tag$, :c", {"C"}},
        {"select count(*) us from v$session v where v.USERNAME = :user_name", {"USER_NAME"}},
        {"begin\r  dbms_random.initialize(:Seed);\rend;", {"SEED"}},
        {"select 'it''s :not' , :yes", {"YES"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindVariables(c.Sql), c.Names) << c.Sql;
}

TEST(SqlTextTest, SplitsScriptsByPsqlRules) {
    struct TCase {
        std::string Script;
        std::vector<std::string> Commands;
    };
    const std::vector<TCase> cases = {
        {"select 1; select 2", {"select 1;", "select 2"}},
        {"  \n-- banner\nselect 'a;b'; -- trailing\n", {"-- banner\nselect 'a;b';"}},
        {"create function f() returns int as $$ begin return 1; end $$ language plpgsql;\n"
         "select f();",
         {"create function f() returns int as $$ begin return 1; end $$ language plpgsql;",
          "select f();"}},
        {"create rule r as on insert to t do (delete from u; insert into u values (1));",
         {"create rule r as on insert to t do (delete from u; insert into u values (1));"}},
        {"/* a; */ select \"x;y\" from t;;; /* only a comment */",
         {"/* a; */ select \"x;y\" from t;"}},
        {"-- nothing here\n", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitPsqlScript(c.Script), c.Commands) << c.Script;
}

TEST(SqlTextTest, SqlStatesPackIntoCodesAndBack) {
    for (const char* state : {"57P03", "28P01", "23505", "42601", "08003", "XX000"})
        EXPECT_EQ(SqlStateText(SqlStateCode(state)), state);
    EXPECT_NE(SqlStateCode("57P03"), SqlStateCode("57P01"));
}

} // namespace
} // namespace tarvel
